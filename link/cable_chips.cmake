# Reads link/cable_chips.txt, the one list of USB-serial chips that
# programming cables are built on. Sets, in the caller's scope:
#   VX_CABLE_CHIP_ROWS   the rows of the C++ table, one initialiser a line
#   VX_CABLE_UDEV_RULES  one udev rule a chip, granting the seat's user access
# and makes CMake read the list again when it changes.
function(vx_read_cable_chips)
  set(list ${PROJECT_SOURCE_DIR}/link/cable_chips.txt)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
  file(STRINGS ${list} lines)
  set(hex4 "[0-9a-f][0-9a-f][0-9a-f][0-9a-f]")
  set(rows "")
  set(rules "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*(#.*)?$")
      continue()
    endif()
    # A name is shown as it is written; quotes or backslashes would break
    # the C++ string it becomes.
    if(NOT line MATCHES "^(${hex4}) (${hex4}) ([^\"\\\\]+)$")
      message(FATAL_ERROR "${list}: not \"vendor product name\" with four lower-case hex digits each: ${line}")
    endif()
    string(APPEND rows "    {0x${CMAKE_MATCH_1}, 0x${CMAKE_MATCH_2}, \"${CMAKE_MATCH_3}\"},\n")
    string(APPEND rules "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"${CMAKE_MATCH_1}\", ATTRS{idProduct}==\"${CMAKE_MATCH_2}\", TAG+=\"uaccess\"\n")
  endforeach()
  if(rows STREQUAL "")
    message(FATAL_ERROR "${list} names no chip")
  endif()
  set(VX_CABLE_CHIP_ROWS "${rows}" PARENT_SCOPE)
  set(VX_CABLE_UDEV_RULES "${rules}" PARENT_SCOPE)
endfunction()
