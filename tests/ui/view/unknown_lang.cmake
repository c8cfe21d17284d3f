# Runs zelmora with a language it does not know and prints what it said and
# its exit status, for the test's pattern.
execute_process(COMMAND ${PROGRAM} --lang fr ERROR_VARIABLE said RESULT_VARIABLE status)
message("${said} status ${status}")
