list(APPEND VANTREL_PORTABLE_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/chameleon_colors.cpp
  ${VANTREL_SOURCE_DIR_HERE}/shaped_region.cpp
)
