list(APPEND VANTREL_PORTABLE_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/chameleon_colors.cpp
  ${VANTREL_SOURCE_DIR_HERE}/shaped_region.cpp
  ${VANTREL_SOURCE_DIR_HERE}/vx_math.cpp
  ${VANTREL_SOURCE_DIR_HERE}/candy_math.cpp
)
list(APPEND VANTREL_WIN32_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/chameleon_draw.cpp
  ${VANTREL_SOURCE_DIR_HERE}/chameleonButton.cpp
  ${VANTREL_SOURCE_DIR_HERE}/chameleon_paint.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Shaper.cpp
  ${VANTREL_SOURCE_DIR_HERE}/ShapedButton.cpp
  ${VANTREL_SOURCE_DIR_HERE}/vxbutton.cpp
  ${VANTREL_SOURCE_DIR_HERE}/vxbutton_paint.cpp
  ${VANTREL_SOURCE_DIR_HERE}/CandyButton.cpp
  ${VANTREL_SOURCE_DIR_HERE}/candy_paint.cpp
)
