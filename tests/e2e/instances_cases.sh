# The cases of closing running copies of the product, shared by the run on
# the emulated machine (tests/e2e/instances_test.sh) and the run under Wine
# (tests/wine/instances_test.sh). Both describe what happened in the one form
# that expected_outcome gives, so the two systems are held to the same result.
#
# One case a line: NAME|PROGRAM|PRODUCTS|ANSWERS|ARGUMENTS
#   PROGRAM    setup (setup.exe in the sample package's folder) or uninstaller
#              (PtvUnInst.exe, with no installation)
#   PRODUCTS   how many stand-in products run before it starts (from a folder
#              of their own, not the installation folder)
#   ANSWERS    the answers to its message boxes, in order (yes, no, ok)
#   ARGUMENTS  its arguments, split at blanks
instance_cases=(
  "silent installer with -s alone asks about two copies, Yes closes them and installs|setup|2|yes|-s"
  "silent installer asks about two copies, No stops it and installs nothing|setup|2|no ok|-s"
  "silent installer asks about one copy|setup|1|yes|-s"
  "installer with -s from position 2 closes without asking and installs|setup|2||-install -s"
  "uninstaller with -s closes without asking|uninstaller|2||-s"
  "uninstaller asks only its confirmation, then closes|uninstaller|1|yes|"
)

instance_text_1='1 instance of Pictavo is currently opened. If you click "Yes" button, SETUP will try to close it without saving any editing work you may have done. \n\nContinue installation?'
instance_text_3='Setup of Pictavo aborted. Please close other instances of Pictavo manually, saving any editing work you have done in them, then restart this setup program.'
instance_text_4_2='2 instances of Pictavo are currently opened. ff you click "Yes" button, SETUP will try to close them without saving any editing work you may have done. \n\nContinue installation?'
instance_text_6='This will completely uninstall Pictavo 6.\nDo you want to continue?'

# expected_outcome CASE-NUMBER: the outcome lines of the case. Each box is
# "box BUTTONS: TEXT -> ANSWER" (line breaks of the text as \n), each product
# "product N: closed with 1001" or "product N: running", then whether the
# product is installed in its default folder afterwards, and last the
# program's exit status.
expected_outcome() {
  case $1 in
    1) printf '%s\n' "box Yes/No: $instance_text_4_2 -> yes" "product 1: closed with 1001" \
         "product 2: closed with 1001" "installed: yes" "status 0" ;;
    2) printf '%s\n' "box Yes/No: $instance_text_4_2 -> no" "box OK: $instance_text_3 -> ok" \
         "product 1: running" "product 2: running" "installed: no" "status 1" ;;
    3) printf '%s\n' "box Yes/No: $instance_text_1 -> yes" "product 1: closed with 1001" "installed: yes" \
         "status 0" ;;
    4) printf '%s\n' "product 1: closed with 1001" "product 2: closed with 1001" "installed: yes" "status 0" ;;
    5) printf '%s\n' "product 1: closed with 1001" "product 2: closed with 1001" "installed: no" "status 0" ;;
    6) printf '%s\n' "box Yes/No: $instance_text_6 -> yes" "product 1: closed with 1001" "installed: no" \
         "status 0" ;;
  esac
}

# product_state LOG ALIVE: the outcome line's state of one product from its
# record and whether its process still runs (1 or 0).
product_state() {
  local closed=0
  grep -qx $'close 1001\r\\?' "$1" 2>/dev/null && closed=1
  if [ "$closed" = 1 ] && [ "$2" = 0 ]; then
    echo "closed with 1001"
  elif [ "$closed" = 0 ] && [ "$2" = 1 ]; then
    echo "running"
  else
    echo "close request $([ "$closed" = 1 ] && echo received || echo missing), process $([ "$2" = 1 ] && echo running || echo ended)"
  fi
}
