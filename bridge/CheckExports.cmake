# Fails when a built numbridge.dll exports anything but the six undecorated
# names or imports a C++ or GCC runtime DLL.
# Usage: cmake -DOBJDUMP=<objdump> -DLIBRARY=<dll> -P CheckExports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump -p ${LIBRARY} failed")
endif()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${dump}")
string(REGEX MATCHALL "\\[ +[0-9]+\\] [^\n]+" entries "${table}")
set(names)
foreach(entry ${entries})
  string(REGEX REPLACE "^\\[ +[0-9]+\\] " "" name "${entry}")
  list(APPEND names "${name}")
endforeach()
list(SORT names)
set(expected gxjavascript gxjavascriptgetresult gxjavascriptu gxlasterror gxlaunch gxquit)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports [${names}], expected exactly [${expected}]")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(import ${imports})
  if(import MATCHES "libstdc|libgcc|winpthread")
    message(FATAL_ERROR "${LIBRARY} must link its runtime statically but imports ${import}")
  endif()
endforeach()
