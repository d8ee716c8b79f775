cmake_minimum_required(VERSION 3.25)
# Copies the data folder beside the executables. Settings files the program has already
# rewritten there are left alone, so a rebuild keeps the user's settings.
file(GLOB_RECURSE data_files RELATIVE ${SOURCE} ${SOURCE}/*)
set(user_settings language/mysetup.ini Setting.ini)
foreach(file IN LISTS data_files)
  if(file IN_LIST user_settings AND EXISTS ${DESTINATION}/${file})
    continue()
  endif()
  configure_file(${SOURCE}/${file} ${DESTINATION}/${file} COPYONLY)
endforeach()
