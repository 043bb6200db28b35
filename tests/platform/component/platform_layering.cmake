# The platform layer serves every component and knows none: no file below platform/ may
# include a header of a component library (the optimizer's "sawplan/..." headers).
file(GLOB_RECURSE sources ${PLATFORM_DIR}/*.h ${PLATFORM_DIR}/*.cpp)
set(offenders "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]sawplan/")
  if(includes)
    list(APPEND offenders "${source}: ${includes}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "platform files include component headers:\n${text}")
endif()
