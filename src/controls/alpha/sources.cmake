list(APPEND VANTREL_WIN32_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/cCrossComm.cpp
  ${VANTREL_SOURCE_DIR_HERE}/aicAlphaImage.cpp
  ${VANTREL_SOURCE_DIR_HERE}/aicAlphaImage_paint.cpp
  ${VANTREL_SOURCE_DIR_HERE}/aicAlphaImage_pointer.cpp
)
