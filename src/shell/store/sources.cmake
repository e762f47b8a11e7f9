list(APPEND VANTREL_PORTABLE_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/dFileArc.cpp
  ${VANTREL_SOURCE_DIR_HERE}/dTools.cpp
  ${VANTREL_SOURCE_DIR_HERE}/ProjectArchive.cpp
)
# FileExists asks the platform's directory search on Windows and stat natively.
if(WIN32)
  list(APPEND VANTREL_PORTABLE_SOURCES ${VANTREL_SOURCE_DIR_HERE}/dTools_win32.cpp)
else()
  list(APPEND VANTREL_PORTABLE_SOURCES ${VANTREL_SOURCE_DIR_HERE}/dTools_posix.cpp)
endif()
