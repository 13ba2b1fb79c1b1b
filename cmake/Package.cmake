# The release zip for Windows users (scripts/package.sh): both exes under names that say
# which Windows they are for, the README, the licence and the user's guide. This build's exe is one of them;
# the other build's exe comes in through MORVANE_PACKAGE_OTHER_EXE.

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(MORVANE_THIS_EXE_NAME "morvane-32bit.exe")
  set(MORVANE_OTHER_EXE_NAME "morvane-64bit.exe")
else()
  set(MORVANE_THIS_EXE_NAME "morvane-64bit.exe")
  set(MORVANE_OTHER_EXE_NAME "morvane-32bit.exe")
endif()
set(MORVANE_PACKAGE_OTHER_EXE "" CACHE FILEPATH "The other Windows build's morvane.exe, for the zip")

install(PROGRAMS $<TARGET_FILE:morvane> DESTINATION . RENAME ${MORVANE_THIS_EXE_NAME})
if(MORVANE_PACKAGE_OTHER_EXE)
  install(PROGRAMS ${MORVANE_PACKAGE_OTHER_EXE} DESTINATION . RENAME ${MORVANE_OTHER_EXE_NAME})
endif()
# Windows opens .txt files on a double click.
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE.txt DESTINATION .)
# The user's guide beside its pictures, so that its links hold.
install(FILES ${CMAKE_SOURCE_DIR}/docs/guide.md DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/images DESTINATION . FILES_MATCHING PATTERN "*.png")

# Packing needs only the exe, not the tests that "all" would build first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Morvane)
set(CPACK_PACKAGE_VENDOR Morvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Morvane-${PROJECT_VERSION}-windows)
# The zip holds one folder, so unpacking it never scatters files.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/build/package)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE.txt)
include(CPack)
