# Run as cmake -DFILE=PATH -P check_chm.cmake: fails when PATH is not a compiled help file, whose
# first four bytes are "ITSF", and removes it so that the next build makes it again.
file(READ "${FILE}" signature LIMIT 4 HEX)
if(NOT signature STREQUAL "49545346")
  file(REMOVE "${FILE}")
  message(FATAL_ERROR "${FILE} is not a compiled help file")
endif()
