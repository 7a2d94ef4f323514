#!/usr/bin/env bash
# The program in a terminal, driven as a person would: tmux types the keys and
# reads the screen. A demonstration world gives it four serial ports (COM3 held
# by another program), the driver stand-in and settings for COM1 and COM7.
#
#   terminal_session_test.sh PROGRAM TAVRIND DEMO_PORTS DEVCON_DIR
#
# Each wait polls the screen until what it waits for shows, and fails after a
# generous deadline, so a slow machine is only slower.
set -euo pipefail

program=$1 tavrind=$2 demo_ports=$3 devcon_dir=$4
export LANG=C.UTF-8 LC_ALL=C.UTF-8

work=$(mktemp -d "${TMPDIR:-/tmp}/tavrin-terminal-test.XXXXXX")
world=$work/world
socket=tavrin-terminal-test-$$
pids=()

tmux_() { tmux -L "$socket" -f /dev/null "$@"; }

cleanup() {
  tmux_ kill-server 2>/dev/null || true
  for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  echo "--- screen:" >&2
  tmux_ capture-pane -p -t tavrin >&2 2>/dev/null || true
  exit 1
}

# ---- The world -----------------------------------------------------------------
mkdir -p "$world/dosdevices"
cat > "$world/hklm.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Tavrin]
"COM1"=dword:00000027
"COM7"=dword:00000001
REG
TAVRIN_PREFIX=$world "$tavrind" install --dev "$work" > /dev/null
"$demo_ports" "$world" 1,2,3,4 3 > "$work/ports.txt" &
pids+=($!)
TAVRIN_PREFIX=$world "$tavrind" run --foreground > "$work/driver.out" 2>&1 &
pids+=($!)

deadline_passed() { (( SECONDS >= $1 )); }
wait_until() {  # wait_until DESCRIPTION COMMAND...
  local description=$1 deadline=$((SECONDS + 30))
  shift
  until "$@"; do
    deadline_passed "$deadline" && fail "$description"
    sleep 0.1
  done
}
driver_ready() { [[ -p $world/dosdevices/tavrin && -s $work/ports.txt ]] && grep -q "start:" "$world/tavrind.log"; }
wait_until "the driver stand-in and the serial ports start" driver_ready

# ---- The terminal --------------------------------------------------------------
# Starts the program in a fresh session; `redirect` names where its standard
# error goes (empty: the terminal itself), `locale` its locale (C.UTF-8).
start_program() {
  local redirect=${1:-} locale=${2:-C.UTF-8}
  rm -f "$work/exit"
  tmux_ kill-session -t tavrin 2>/dev/null || true
  tmux_ new-session -d -s tavrin -x 120 -y 40 \
    "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL='$locale' TAVRIN_PREFIX='$world' \
       PATH='$devcon_dir':\$PATH '$program' ${redirect:+2>'$redirect'}; echo \$? > '$work/exit'; sleep 600"
  wait_until "the dialog shows" shows "╔[-]═ TAVRIN "
}

screen() { tmux_ capture-pane -p -t tavrin; }
# The screen with only the cells that show attribute `code` (7 reverse video:
# the focus and the chosen line of the list with the focus; 1 bold: the frame
# of the list with the focus), every other cell blank.
cells_with() {
  tmux_ capture-pane -e -p -t tavrin | perl -CSD -ne '
    chomp; my ($on, $out) = (0, "");
    while (length) {
      if (s/^\e\[([0-9;]*)m//) {
        for my $p (split /;/, length($1) ? $1 : "0") {
          $on = 1 if $p == '"$1"';
          $on = 0 if $p == 0 || $p == 20 + '"$1"' || ('"$1"' == 1 && $p == 22);
        }
      } else {
        s/^(.)//s;
        $out .= $on ? $1 : " ";
      }
    }
    print "$out\n";'
}
shows() { [[ $(screen) == *"$1"* ]]; }
hides() { [[ $(screen) != *"$1"* ]]; }
highlighted() { [[ $(cells_with 7) == *"$1"* ]]; }
highlight_differs_from() { [[ $(cells_with 7) != "$1" ]]; }
press() { tmux_ send-keys -t tavrin "$@"; }
program_ended() { [[ -s $work/exit ]]; }
exit_code() { cat "$work/exit"; }

# The screen row of the dialog's top border.
dialog_top() { screen | grep -n "╔\[-\]═ TAVRIN " | head -1 | cut -d: -f1; }
# Whether the first highlighted cell is on row `offset` below the top border.
focus_on_row() {
  local top row
  top=$(dialog_top)
  row=$(cells_with 7 | grep -n '[^ ]' | head -1 | cut -d: -f1)
  [[ -n $top && -n $row && $((row - top)) -eq $1 ]]
}
# Whether a list has the focus: its frame, whose top is on row 6 below the
# border, is double.
list_focused() {
  local top
  top=$(dialog_top)
  [[ $(screen | sed -n "$((top + 6))p") == *"$1"* ]]
}
port_list_focused() { list_focused "╔═════════════════╗"; }
watch_list_focused() { list_focused "╔══════════════════════════════════════════╗"; }
# Where the terminal's cursor is, as "ROW COLUMN" from the dialog's top-left
# corner, while the terminal shows it.
cursor_in_dialog() {
  local top line x y visible
  read -r x y visible < <(tmux_ display -p -t tavrin '#{cursor_x} #{cursor_y} #{cursor_flag}')
  [[ $visible == 1 ]] || { echo "hidden"; return; }
  top=$(dialog_top)
  line=$(screen | sed -n "${top}p")
  line=${line%%╔*}
  echo "$((y - top + 1)) $((x - ${#line}))"
}
cursor_at() { [[ $(cursor_in_dialog) == "$1" ]]; }
# The character under the terminal's cursor.
under_cursor() {
  local x y line
  read -r x y < <(tmux_ display -p -t tavrin '#{cursor_x} #{cursor_y}')
  line=$(screen | sed -n "$((y + 1))p")
  echo "${line:x:1}"
}
tab_until() {  # tab_until DESCRIPTION COMMAND...: Tab until COMMAND holds, at most once round
  local description=$1
  shift
  for _ in $(seq 12); do
    "$@" && return 0
    local before
    before=$(cells_with 7)
    press Tab
    wait_until "the focus moves on before $description" highlight_differs_from "$before"
  done
  "$@" || fail "Tab never reached $description"
}
# A click of the first mouse button on the first cell of `text`, reported as
# a terminal in mouse mode reports it (press, then release).
click_on() {
  local row=0 line before x y
  while IFS= read -r line; do
    row=$((row + 1))
    [[ $line == *"$1"* ]] || continue
    before=${line%%"$1"*}
    (( ${#before} < 94 )) || fail "'$1' is too far right for a mouse report"
    printf -v x "\\x$(printf %x $((33 + ${#before})))"
    printf -v y "\\x$(printf %x $((32 + row)))"
    press -l $'\e[M '"$x$y"
    press -l $'\e[M#'"$x$y"
    return
  done < <(screen)
  fail "nothing shows '$1' to click on"
}
# The dialog still takes keys: Tab moves its highlight.
still_running() {
  local before
  before=$(cells_with 7)
  press Tab
  wait_until "$1" highlight_differs_from "$before"
}
store_holds() { grep -q "^\"$1\"=dword:$2\$" "$world/hklm.reg"; }

# Rows of the main dialog's controls below its top border.
readonly DRIVER_TYPE_ROW=6 BAUD_ROW=10 PNP_ROW=15

# ---- 1: the dialog, Tab, adding a port, Apply, quitting with Yes -----------------
start_program
top=$(dialog_top)
mapfile -t rows < <(screen)
top_border=${rows[top - 1]#"${rows[top - 1]%%╔*}"}
# 104 columns of the template and 3 more, so that the watch list shows its
# longest entry whole.
[[ ${#top_border} -eq 107 ]] || fail "the dialog is ${#top_border} cells wide, not 107"
shows "│COM7-Traditional_Touch_Screen-Auto_Scan-NoPnp││║" || fail "the longest watch entry shows whole"
bottom=$(screen | grep -n "^ *╚═" | head -1 | cut -d: -f1)
(( bottom - top + 1 == 31 )) || fail "the dialog is $((bottom - top + 1)) rows high, not 31"
shows "║COM2 " && shows "║COM4 " || fail "the port list shows COM2 and COM4"
shows "COM1-HID_Touch_Digitizer-9600-PnP" || fail "the watch list shows COM1"
shows "Restart" && fail "the hidden restart button is drawn"
# The combos show as fields with nothing chosen yet, and the watch list's
# frame keeps inside the group box's.
[[ $(screen | grep -cF "[                         ▼]") -eq 3 ]] || fail "the three combos show as empty fields"
shows "─┐│║" && shows "─┘│║" || fail "the watch list's frame stays inside the group box"

# The port list has the focus, with no line chosen yet: its box is double and
# the cursor on its first line. Each Tab takes the cursor to the next control
# (the disabled Apply button left out), and Shift+Tab back.
port_list_focused || fail "the port list starts with the focus"
cursor_at "7 5" || fail "the cursor is at $(cursor_in_dialog), not on the port list's first line"
for place in "6 28:the driver-type combo's field" "19 32:the add button's label" "23 30:the remove button's label" \
  "7 59:the watch list's first line" "28 54:the quit button's label" "10 28:the baud combo's field"; do
  press Tab
  wait_until "Tab takes the cursor to ${place#*:} (${place%%:*})" cursor_at "${place%%:*}"
done
press BTab BTab BTab BTab BTab BTab
wait_until "Shift+Tab six times gives the port list the focus back" cursor_at "7 5"
press Tab
wait_until "Tab highlights the driver-type combo" focus_on_row "$DRIVER_TYPE_ROW"
port_list_focused && fail "the port list keeps its highlight after Tab"
press BTab
wait_until "Shift+Tab gives the port list the focus back" port_list_focused

# COM2 as a HID digitizer, scanning all baud rates, with PnP polling.
press Down
wait_until "Down chooses COM2" highlighted "COM2 "
press Tab
wait_until "Tab reaches the driver-type combo" focus_on_row "$DRIVER_TYPE_ROW"
press Down
wait_until "Down chooses HID_Touch_Digitizer" highlighted "HID_Touch_Digitizer"
shows "[HID_Touch_Digitizer      ▼]" || fail "the driver-type combo shows its choice in its field"
tab_until "the baud combo" focus_on_row "$BAUD_ROW"
press Down
wait_until "Down chooses Auto_Scan" highlighted "Auto_Scan"
tab_until "the PnP combo" focus_on_row "$PNP_ROW"
press F4
wait_until "F4 drops the PnP list down" shows "│Disable"
press Down
wait_until "Down in the open list chooses Enable" highlighted "Enable"
press Enter
wait_until "Enter closes the list" hides "│Disable"
tab_until "the add button" highlighted "[ >> Add to list >> ]"
press Enter
wait_until "the entry joins the watch list in order" \
  shows "│COM2-HID_Touch_Digitizer-Auto_Scan-PnP"
[[ $(screen | grep -o "COM[0-9]-[A-Za-z_]*" | tr '\n' ' ') == "COM1-HID_Touch_Digitizer COM2-HID_Touch_Digitizer COM7-Traditional_Touch_Screen "* ]] ||
  fail "the watch list is sorted"
shows "│COM2 " && fail "COM2 is still on the port list"

tab_until "the apply button" highlighted "[ Apply settings ]"
press Enter
wait_until "Apply writes the store" store_holds COM2 00000007
store_holds COM1 00000027 || fail "Apply keeps COM1"
store_holds COM5 00000000 || fail "Apply writes 0 for the ports not watched"
wait_until "the driver receives the apply command" \
  grep -q "apply command: 3 watched port(s) COM1=0x00000027 COM2=0x00000007 COM7=0x00000001" "$world/tavrind.log"

# Another port with the other choices (Add cleared them), then Escape: the
# save question, answered Yes.
tab_until "the port list" port_list_focused
press Down
wait_until "Down chooses COM4" highlighted "COM4 "
# The combos' keys start on the item chosen last (its caret line): the first
# key chooses it again, the next ones move from it; End in a field moves the
# text cursor, so the PnP choice is made with the arrows.
tab_until "the driver-type combo" focus_on_row "$DRIVER_TYPE_ROW"
press End End
wait_until "End chooses the last driver type" highlighted "Traditional_Touch_Screen"
tab_until "the baud combo" focus_on_row "$BAUD_ROW"
press Down Down Down Down Down Down Down
wait_until "Down seven times chooses 57600" highlighted "57600"
tab_until "the PnP combo" focus_on_row "$PNP_ROW"
press Down Down
wait_until "Down twice chooses Disable" highlighted "Disable"
tab_until "the add button" highlighted "[ >> Add to list >> ]"
press Enter
wait_until "COM4 joins the watch list" shows "│COM4-Traditional_Touch_Screen-57600-NoPnP"
press Escape
wait_until "Escape asks whether to save" shows "Save settings before quit?"
highlighted "[ Yes ]" || fail "Yes has the focus in the question"
[[ $(under_cursor) == Y ]] || fail "the cursor is on '$(under_cursor)', not on the focused Yes"
press Tab
wait_until "Tab takes the cursor to No" eval '[[ $(under_cursor) == N ]]'
press y
wait_until "the program ends after the answer" program_ended
[[ $(exit_code) == 0 ]] || fail "the program ended with $(exit_code)"
store_holds COM4 00000031 || fail "Yes applied COM4"
# The diagnostic lines go to the system log, never to the person's terminal.
hides "dwSetting" || fail "a diagnostic line reached the terminal"

# ---- 2: a small terminal, the about box, quitting with nothing to save ----------
start_program "$work/stderr"
tmux_ resize-window -t tavrin -x 80 -y 24
wait_until "a small terminal says the size needed" shows "107 x 31"
[[ $(screen | grep -c .) -eq 1 ]] || fail "the small terminal shows more than one line"
tmux_ resize-window -t tavrin -x 110 -y 33
wait_until "the dialog shows again when the terminal grows" shows "TAVRIN settings"
press F10
wait_until "F10 opens the system menu" shows "│ Close "
press a
wait_until "the about item opens the about box" shows "TAVRIN Utility Version 1.0"
highlighted "[ 確定 ]" || fail "the about box's button has the focus"
press Escape
wait_until "Escape closes the about box" hides "TAVRIN Utility"
still_running "the dialog goes on after Escape in the about box"
press M-Space
wait_until "Alt+Space opens the system menu" shows "│ Close "
press Escape
wait_until "Escape leaves the system menu" hides "│ Close "
still_running "the dialog goes on after Escape in the system menu"
press Escape
wait_until "Escape ends the program without a question" program_ended
[[ $(exit_code) == 0 ]] || fail "the program ended with $(exit_code)"

# ---- 3: a change and the quit button with the mouse, answered No ---------------
start_program "$work/stderr"
click_on "COM1-HID_Touch_Digitizer"
wait_until "a click chooses the first watch entry" highlighted "COM1-HID_Touch_Digitizer"
click_on "[ << Remove from list << ]"
wait_until "COM1 leaves the watch list" hides "COM1-HID"
wait_until "COM1 returns to the port list" shows "│COM1 "
click_on "COM7-Traditional_Touch_Screen"
wait_until "a click chooses the other watch entry" highlighted "COM7-Traditional_Touch_Screen"
click_on "[ << Remove from list << ]"
wait_until "COM7 leaves the watch list" hides "COM7-Trad"
# The watch list with the focus and no chosen line: a double box, the cursor
# on its caret line, where the removed entry was (now its last line, COM4's).
press Tab
wait_until "Tab from the remove button gives the watch list the focus" watch_list_focused
cursor_at "8 59" || fail "the cursor is at $(cursor_in_dialog), not on the watch list's caret line"
click_on "[ Quit ]"
wait_until "Quit asks whether to save" shows "Save settings before quit?"
press Tab
wait_until "Tab moves to No" highlighted "[ No ]"
press Enter
wait_until "the program ends after No" program_ended
[[ $(exit_code) == 0 ]] || fail "the program ended with $(exit_code)"
store_holds COM1 00000027 || fail "No left the store as it was"
[[ ! -s $work/stderr ]] || fail "the program wrote: $(cat "$work/stderr")"

# ---- 4: in Russian, the save question answers with Russian buttons --------------
start_program "$work/stderr" ru_RU.UTF-8
shows "Установки TAVRIN" || fail "the dialog speaks Russian"
click_on "COM1-HID_Touch_Digitizer"
wait_until "a click chooses the first watch entry" highlighted "COM1-HID_Touch_Digitizer"
click_on "[ << Удалите из списка << ]"
wait_until "COM1 leaves the watch list" hides "COM1-HID"
press Escape
wait_until "Escape asks in Russian whether to save" shows "Сохранить установки перед выходом?"
shows "[ Да ]  [ Нет ]" || fail "the question's buttons are Russian"
highlighted "[ Да ]" || fail "Да has the focus in the question"
press -l "н"
wait_until "н answers Нет and the program ends" program_ended
[[ $(exit_code) == 0 ]] || fail "the program ended with $(exit_code)"
store_holds COM1 00000027 || fail "Нет left the store as it was"
echo "terminal session: all steps passed"
