// The line protocol between portsetup-scenario --wine (on Linux) and the
// scenario agent (the Windows program that runs the real dialog under Wine).
//
// The tool writes one request per line; the agent answers each with lines of
// its own and a last line "." (kReplyEnd). Words are separated by blanks and
// texts are quoted words (script_words.h), so any text, line feeds included,
// crosses as one word.
//
// Requests:
//   key present|absent                 the settings key exists or not
//   value NAME TYPE HEX                stores a value (REG_DWORD 4, else REG_BINARY 3)
//   store                              -> "absent", or "value NAME TYPE HEX" per value
//   start                              runs the program                    -> events
//   act click|select|choose|drop|type|key|chars|focus|close|syscommand ARGS...  -> events
//                                      (key VK SHIFT ALT: a key with Shift and
//                                      Alt held or not, each 1 or 0; chars TEXT)
//   press ID                           presses button ID of the open box   -> events
//   quit                               a quit request (PostQuitMessage 0)   -> events
//   view main|top                      -> a dialog view (see dialog_reader.h), or "none"
//   top                                -> "dialog TEMPLATE" of the dialog on top, or "none"
//   editing                            -> "editmode N", "current TEXT"
//   census                             -> "open WHAT COUNT" per kind of handle left open
//   exit                               ends the agent and the program (no reply)
//
// Events, answered once the program waits for the person again:
//   debug TEXT        a diagnostic line the program wrote (OutputDebugStringA)
//   started           the main dialog exists
//   box TYPE TEXT CAPTION  a message box is open, TYPE 0 (OK) or 4 (Yes/No)
//   ended RESULT      the main dialog's modal loop returned RESULT
//   problem TEXT      the person could not do what was asked
// Any reply may instead be one line "error TEXT" before the ".".
#pragma once

namespace scenario::agent_protocol {

inline constexpr char kReplyEnd[] = ".";

}  // namespace scenario::agent_protocol
