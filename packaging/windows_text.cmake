# Writes OUTPUT as a Windows text file: the files of INPUTS one after another,
# then, if MANUAL is given, that manual page rendered as plain text; every
# line ends in CR LF, as Notepad of older Windows needs.
set(text "")
foreach(input IN LISTS INPUTS)
  file(READ ${input} content)
  string(APPEND text "${content}")
endforeach()
if(MANUAL)
  # Plain ASCII without the terminal's bold and underline.
  execute_process(COMMAND groff -man -Tascii -P-cbou ${MANUAL}
                  OUTPUT_VARIABLE manual COMMAND_ERROR_IS_FATAL ANY)
  string(APPEND text "${manual}")
endif()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
