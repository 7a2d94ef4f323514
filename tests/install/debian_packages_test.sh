#!/usr/bin/env bash
# Builds both Debian packages with scripts/package-debian and checks their
# files, the dependencies computed from their binaries, and lintian (no
# error); then installs, removes and purges them with apt in a throwaway root
# (an overlay over / in private mount, process and network namespaces,
# chrooted into), never on this machine itself: installed, the programs, man
# pages, menu entry, polkit action and enabled service are in place, the
# prefix is set up, the driver stand-in serves, and the program started as
# the menu entry starts it shows its dialog and prints nothing; removed, the
# stand-in started by hand has ended and the settings stay; purged, nothing
# is left but what Debian keeps.
#   debian_packages_test.sh SOURCE-DIRECTORY DIST-DIRECTORY
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }

if [[ $1 == --in-throwaway-root ]]; then
  # In the namespaces: the overlay, the machine's /dev, a /proc of this
  # process namespace, the packages copied in; everything written goes to a
  # tmpfs that vanishes with the namespace.
  dist=$2
  work=$(mktemp -d)
  mount -t tmpfs throwaway "$work"
  mkdir "$work/upper" "$work/work" "$work/root"
  mount -t overlay overlay -o "lowerdir=/,upperdir=$work/upper,workdir=$work/work" "$work/root"
  mount --rbind /dev "$work/root/dev"
  mount -t proc proc "$work/root/proc"
  mount -t tmpfs tmp "$work/root/tmp"
  mount -t tmpfs run "$work/root/run"
  cp "$dist"/*.deb "$0" "$work/root/tmp/"
  exec chroot "$work/root" /bin/bash "/tmp/$(basename "$0")" --checks-inside
fi

if [[ $1 == --checks-inside ]]; then
  cd /tmp
  export DEBIAN_FRONTEND=noninteractive PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
  # Every file and folder where packages put theirs, less what a run of apt
  # or dpkg writes for itself and Debian keeps. (Home and work folders are
  # left out: the machine's own work goes on below the overlay meanwhile.)
  files() {
    find /etc /lib /opt /srv /usr /var -xdev -print | sort |
      grep -Ev '^/var/(lib/dpkg|lib/apt|log|cache)(/|$)|^/etc/ld\.so\.cache$'
  }
  files >/tmp/before
  # No network in here: apt installs what the packages need from this machine or fails.
  apt-get install -y -qq /tmp/tavrin-portsetup_*.deb /tmp/tavrin-standins_*.deb >/tmp/apt.log 2>&1 ||
    fail "apt install: $(cat /tmp/apt.log)"
  for program in portsetup tavrind devcon.exe tavrin-demo-ports; do
    [[ -x /usr/bin/$program ]] || fail "/usr/bin/$program is not installed"
    man -w "$program" >/dev/null 2>&1 || fail "no man page of $program"
  done
  desktop-file-validate /usr/share/applications/tavrin-portsetup.desktop || fail "the menu entry does not validate"
  grep -qx 'Exec=pkexec /usr/bin/portsetup' /usr/share/applications/tavrin-portsetup.desktop ||
    fail "the menu entry does not start /usr/bin/portsetup through pkexec"
  grep -q '>/usr/bin/portsetup<' /usr/share/polkit-1/actions/org.tavrin.portsetup.policy ||
    fail "the polkit action is not for /usr/bin/portsetup"
  [[ $(readlink /etc/systemd/system/multi-user.target.wants/tavrind.service) == /lib/systemd/system/tavrind.service ]] ||
    fail "the service is not enabled"
  [[ -f /var/lib/tavrin/hklm.reg && -d /var/lib/tavrin/dosdevices ]] || fail "the prefix /var/lib/tavrin is not set up"
  tavrind settings >/dev/null || fail "tavrind settings fails on the installed prefix"

  # The service's program serves; the restart reaches it.
  tavrind run >/dev/null || fail "tavrind run does not start"
  [[ -p /var/lib/tavrin/dosdevices/tavrin ]] || fail "the driver stand-in made no control device"
  devcon.exe restart 'ROOT\TAVRIN' >/dev/null || fail "devcon.exe does not restart the driver stand-in"

  # The program as pkexec starts it: root, a clean environment with the
  # display kept, no XDG_RUNTIME_DIR. Still running when its time is up:
  # its dialog waits for the person.
  exec 3<> >(:)
  Xvfb -displayfd 3 -nolisten tcp >/dev/null 2>&1 &
  read -r -t 20 display <&3 || fail "Xvfb did not start"
  status=0
  env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DISPLAY=":$display" HOME=/root USER=root LOGNAME=root SHELL=/bin/bash \
    PKEXEC_UID=65534 LANG=C.UTF-8 timeout 5 /usr/bin/portsetup >/tmp/said 2>&1 </dev/null || status=$?
  ((status == 124)) || fail "the program did not show its dialog (exit $status): $(cat /tmp/said)"
  [[ ! -s /tmp/said ]] || fail "the program started as pkexec does printed: $(cat /tmp/said)"

  # Removing ends the stand-in started by hand and keeps the settings.
  driver=$(cat /var/lib/tavrin/tavrind.pid)
  apt-get remove -y -qq tavrin-portsetup tavrin-standins >/tmp/apt.log 2>&1 || fail "apt remove: $(cat /tmp/apt.log)"
  [[ ! -e /usr/bin/portsetup && ! -e /usr/bin/tavrind ]] || fail "remove left the programs"
  ! kill -0 "$driver" 2>/dev/null || fail "remove left the driver stand-in running"
  [[ -f /var/lib/tavrin/hklm.reg ]] || fail "remove did not keep the settings in /var/lib/tavrin"
  # The program's package keeps nothing, so dpkg forgets it on remove; the
  # stand-ins' waits for its purge.
  [[ $(dpkg-query -W -f='${db:Status-Abbrev}' tavrin-portsetup 2>/dev/null) != ii* ]] || fail "tavrin-portsetup is still installed"
  [[ $(dpkg-query -W -f='${db:Status-Abbrev}' tavrin-standins) == rc* ]] || fail "tavrin-standins is not removed with its settings kept"
  apt-get purge -y -qq tavrin-standins >/tmp/apt.log 2>&1 || fail "apt purge: $(cat /tmp/apt.log)"
  [[ ! -e /var/lib/tavrin ]] || fail "purge left /var/lib/tavrin"
  left=$(comm -13 /tmp/before <(files))
  [[ -z $left ]] || fail "purge left: $left"
  echo "installed, removed and purged in a throwaway root"
  exit 0
fi

source=$1 dist=$2
rm -rf "$dist"
"$source/scripts/package-debian" --dist "$dist" >/dev/null
version=$("$source/scripts/project-version")
portsetup=$dist/tavrin-portsetup_${version}_amd64.deb
standins=$dist/tavrin-standins_${version}_amd64.deb

files_of() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort; }
expect_files() {
  local package=$1 file
  shift
  for file in "$@"; do grep -qx "$file" <(files_of "$package") || fail "$(basename "$package") lacks $file"; done
}
expect_files "$portsetup" /usr/bin/portsetup /usr/share/man/man1/portsetup.1.gz \
  /usr/share/applications/tavrin-portsetup.desktop /usr/share/polkit-1/actions/org.tavrin.portsetup.policy \
  /usr/share/icons/hicolor/48x48/apps/tavrin-portsetup.png /usr/share/icons/hicolor/scalable/apps/tavrin-portsetup.svg
expect_files "$standins" /usr/bin/tavrind /usr/bin/devcon.exe /usr/bin/tavrin-demo-ports /lib/systemd/system/tavrind.service \
  /usr/share/man/man1/tavrind.1.gz /usr/share/man/man1/devcon.exe.1.gz /usr/share/man/man1/tavrin-demo-ports.1.gz
shared=$(comm -12 <(files_of "$portsetup" | grep -v '^/usr/share/doc/') <(files_of "$standins"))
[[ -z $shared ]] || fail "both packages hold $shared"

# Each library a program needs is the dependency on the package that has
# it, with a version; and what the menu entry runs, and Qt's display
# plugins, which no binary names.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
for package in "$portsetup" "$standins"; do
  dpkg-deb -x "$package" "$unpacked"
  depends=" $(dpkg-deb -f "$package" Depends) "
  for program in $(files_of "$package" | grep '^/usr/bin/'); do
    for library in $(objdump -p "$unpacked$program" | awk '$1 == "NEEDED" { print $2 }'); do
      owner=$(dpkg-query -S "*/$library" 2>/dev/null |
        awk -F': ' '$2 ~ /\/x86_64-linux-gnu\// { sub(/:amd64$/, "", $1); print $1; exit }')
      [[ -n $owner ]] || fail "no package has $library"
      [[ $depends == *" $owner ("* ]] || fail "$(basename "$package"): $program needs $library of $owner, not in: $depends"
    done
  done
done
[[ $(dpkg-deb -f "$portsetup" Depends) == *pkexec*qt6-qpa-plugins* ]] ||
  fail "tavrin-portsetup does not depend on pkexec and qt6-qpa-plugins"
[[ $(dpkg-deb -f "$standins" Depends) != *qt6* ]] || fail "tavrin-standins depends on Qt"

verdict=$(lintian "$portsetup" "$standins" 2>&1 | grep -v '^running with root privileges')
grep '^E:' <<<"$verdict" && fail "lintian reports errors"
echo "lintian: ${verdict:-clean}"

unshare --mount --pid --net --fork --propagation private "$0" --in-throwaway-root "$dist"
