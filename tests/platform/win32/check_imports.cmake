# Run as cmake -DOBJDUMP=TOOL -DEXE=PATH -DALLOWED=LIST -P check_imports.cmake: fails, naming each
# offender, when the program imports a DLL or function that LIST does not hold (lines "DLL function",
# "#" starts a comment), or when its header does not mark it as a 32-bit GUI program for Windows
# XP (subsystem and operating-system version 5.1). A function missing on the user's system stops
# the program before its first line runs, so this is checked on the file itself.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump ERROR_VARIABLE dump_error
                RESULT_VARIABLE dump_result)
if(NOT dump_result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed: ${dump_error}")
endif()

set(problems "")

foreach(field IN ITEMS "Magic=010b" "Subsystem=00000002" "MajorSubsystemVersion=5" "MinorSubsystemVersion=1"
                       "MajorOSystemVersion=5" "MinorOSystemVersion=1")
  string(REPLACE "=" ";" field "${field}")
  list(GET field 0 name)
  list(GET field 1 wanted)
  if(NOT dump MATCHES "\n${name}[ \t]+([0-9a-fA-F]+)")
    string(APPEND problems "  the header has no ${name}\n")
  elseif(NOT CMAKE_MATCH_1 STREQUAL wanted)
    string(APPEND problems "  ${name} is ${CMAKE_MATCH_1}, not ${wanted}\n")
  endif()
endforeach()

file(STRINGS "${ALLOWED}" allowed_lines)
set(allowed "")
foreach(line IN LISTS allowed_lines)
  if(line MATCHES "^([^ #]+) +([^ #]+)")
    string(TOLOWER "${CMAKE_MATCH_1}" dll) # DLL names are found without regard to case
    list(APPEND allowed "${dll} ${CMAKE_MATCH_2}")
  endif()
endforeach()

# The import tables: a "DLL Name:" line, then one line per function: address, hint, name (or "<none>"
# after the ordinal when imported by number).
string(REGEX MATCH "\nThe Import Tables.*" imports "${dump}")
string(REGEX REPLACE "\n(The Export Tables|PE File Base Relocations|The Function Table).*" "" imports "${imports}")
string(REGEX REPLACE "[][;]" "_" imports "${imports}")
string(REPLACE "\n" ";" imports "${imports}")
set(dll "")
set(count 0)
foreach(line IN LISTS imports)
  if(line MATCHES "DLL Name: *([^ \t]+)")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
  elseif(dll AND line MATCHES "^\t[0-9a-fA-F]+\t +([0-9]+) +([^ \t]+)")
    set(function "${CMAKE_MATCH_2}")
    if(function STREQUAL "<none>")
      set(function "#${CMAKE_MATCH_1}")
    endif()
    math(EXPR count "${count} + 1")
    if(NOT "${dll} ${function}" IN_LIST allowed)
      string(APPEND problems "  ${dll} ${function} is not among what Windows XP SP3 exports\n")
    endif()
  endif()
endforeach()
if(count EQUAL 0)
  string(APPEND problems "  no imported function was found\n")
endif()

if(problems)
  message(FATAL_ERROR "${EXE} is not made for Windows XP SP3:\n${problems}")
endif()
message(STATUS "${count} imports, all exported by Windows XP SP3")
