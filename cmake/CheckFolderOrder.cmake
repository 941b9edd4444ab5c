# Fails when a source of the core includes a header of a folder above its own. The core's folders,
# from the floor up: each may use the ones before it, never one after it, so the code reads from
# the bottom up and no subsystem leans on one that leans on it.
#   model      the project's data, calculations, files, text and number rules, shared judgements
#   tightness  the tightness test page
#   shell      the plain state the windows share: settings, interface flags, the open project
#   archives   the archive editors and their copy
#   editor     the segment table
#   schema     the network diagram
#   report     the printed report and the report files
#   app        the composition root: start-up sequence, lifecycle
# A new folder under src/ must be placed in this list.
set(ORDER model tightness shell archives editor schema report app)
# Includes allowed against the order, each with why: "file -> folder" (none today).
set(EXCEPTIONS "")

file(GLOB_RECURSE files ${SRC}/*.cpp ${SRC}/*.h)
list(FILTER files EXCLUDE REGEX "/ui/|/src/app/main\\.cpp$")
set(bad "")
foreach(f IN LISTS files)
  file(RELATIVE_PATH rel ${SRC} ${f})
  string(REGEX MATCH "^[^/]+" own "${rel}")
  list(FIND ORDER "${own}" own_rank)
  if(own_rank EQUAL -1)
    list(APPEND bad "${rel}: folder '${own}' is not in the order")
    continue()
  endif()
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*$" "\\1" other "${line}")
    list(FIND ORDER "${other}" other_rank)
    if(other_rank GREATER own_rank)
      list(FIND EXCEPTIONS "${rel} -> ${other}" allowed)
      if(allowed EQUAL -1)
        list(APPEND bad "${rel} includes ${other}/ (above ${own}/)")
      endif()
    endif()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "The core's folders are out of order:\n  ${text}")
endif()
message(STATUS "the core's folders keep their order")
