# Makes a program's manual page from its own --help and --version texts, so
# the page cannot drift from the program. For a program whose --help lists
# commands (vxprog-cli), each command's "help COMMAND" text becomes a
# subsection of COMMAND DETAILS. Run with cmake -P:
#   -DPROGRAM=<the program> -DNAME=<one-line description> -DHELP2MAN=<help2man>
#   -DGZIP=<gzip> -DOUT=<page.1.gz>
foreach(var PROGRAM NAME HELP2MAN GZIP OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "manpage.cmake: ${var} is not set")
  endif()
endforeach()

# The English texts whatever the builder's locale.
set(ENV{LANG} C.UTF-8)
set(ENV{LC_ALL} C.UTF-8)

function(run_help out_var)
  execute_process(COMMAND "${PROGRAM}" ${ARGN}
                  OUTPUT_VARIABLE text RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} failed (${rc}): ${err}")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# A help text as roff: prose is filled, indented lines (the option table)
# are kept as they are, a blank line starts a paragraph. Backslashes are
# escaped, hyphens become minus signs (option names), and a line that starts
# with a dot or a quote is protected.
function(roff_text out_var text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  # Semicolons and brackets would split or join CMake list items.
  string(REPLACE ";" "<semicolon>" text "${text}")
  string(REPLACE "[" "<open>" text "${text}")
  string(REPLACE "]" "<close>" text "${text}")
  string(REGEX MATCHALL "[^\n]*\n" lines "${text}")
  set(roff "")
  set(kept OFF)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "\n$" "" line "${line}")
    string(REGEX REPLACE "^([.'])" "\\\\&\\1" line "${line}")
    if(line STREQUAL "")
      if(kept)
        string(APPEND roff ".fi\n")
        set(kept OFF)
      endif()
      string(APPEND roff ".PP\n")
    elseif(line MATCHES "^  ")
      if(NOT kept)
        string(APPEND roff ".nf\n")
        set(kept ON)
      endif()
      string(APPEND roff "${line}\n")
    else()
      if(kept)
        string(APPEND roff ".fi\n")
        set(kept OFF)
      endif()
      string(APPEND roff "${line}\n")
    endif()
  endforeach()
  if(kept)
    string(APPEND roff ".fi\n")
  endif()
  string(REPLACE "<semicolon>" ";" roff "${roff}")
  string(REPLACE "<open>" "[" roff "${roff}")
  string(REPLACE "<close>" "]" roff "${roff}")
  set(${out_var} "${roff}" PARENT_SCOPE)
endfunction()

get_filename_component(base "${OUT}" NAME)
string(REGEX REPLACE "\\.1\\.gz$" "" base "${base}")
get_filename_component(dir "${OUT}" DIRECTORY)
set(include "${dir}/${base}.h2m")
set(page "${dir}/${base}.1")

# The commands are the indented words under "Commands:" in --help.
run_help(usage --help)
set(details "")
if(usage MATCHES "\nCommands:\n(.*)")
  string(REGEX REPLACE "\n\n.*" "" listing "${CMAKE_MATCH_1}")
  string(REGEX MATCHALL "(^|\n)  [a-z][a-z-]*" commands "${listing}")
  foreach(entry IN LISTS commands)
    string(STRIP "${entry}" command)
    if(command STREQUAL "help" OR command STREQUAL "version")
      continue()
    endif()
    run_help(text help ${command})
    roff_text(body "${text}")
    string(APPEND details ".SS ${command}\n${body}")
  endforeach()
endif()
set(include_option)
if(NOT details STREQUAL "")
  file(WRITE "${include}" "[COMMAND DETAILS]\n${details}")
  set(include_option "--include=${include}")
endif()

execute_process(COMMAND "${HELP2MAN}" --no-info --no-discard-stderr
                        "--name=${NAME}" ${include_option} --output=${page}
                        "${PROGRAM}"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "help2man failed for ${PROGRAM} (${rc}): ${err}")
endif()
# -n: no name or time stamp inside, so the same page gives the same bytes.
execute_process(COMMAND "${GZIP}" -9n -c "${page}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip failed for ${page}")
endif()
