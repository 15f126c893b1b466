# What the scripts that run installations under Wine share: the counts of
# their cases and the ways they report. Sourced with summary_name set to the
# name of the script's last line, "<summary_name>: N passed, M failed".
passed=0
failed=0

fatal() {
  echo "$summary_name: cannot run: $*"
  echo "$summary_name: $passed passed, $((failed + 1)) failed"
  exit 1
}

pass() {
  echo "ok   $1"
  passed=$((passed + 1))
}

fail() {
  echo "FAIL $1"
  failed=$((failed + 1))
}
