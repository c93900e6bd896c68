# Compiles PROJECT_DIR/help.hhp with CHMCMD and fails on any error or warning it prints, since it reports a
# broken link or a page it cannot read only as a warning and still writes the file.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${CHMCMD} help.hhp WORKING_DIRECTORY ${PROJECT_DIR} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR out MATCHES "(Error|Warning|error|warning)" OR NOT EXISTS ${PROJECT_DIR}/help.chm)
  message(FATAL_ERROR "chmcmd failed (status ${status}):\n${out}")
endif()
