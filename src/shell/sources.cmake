list(APPEND VANTREL_PORTABLE_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/requmet_format.cpp
  ${VANTREL_SOURCE_DIR_HERE}/placeholders.cpp
  ${VANTREL_SOURCE_DIR_HERE}/settings_items.cpp
)
list(APPEND VANTREL_WIN32_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/startup_trace.cpp
  ${VANTREL_SOURCE_DIR_HERE}/requmet.cpp
  ${VANTREL_SOURCE_DIR_HERE}/resolution.cpp
  ${VANTREL_SOURCE_DIR_HERE}/mMain.cpp
  ${VANTREL_SOURCE_DIR_HERE}/dec.cpp
  ${VANTREL_SOURCE_DIR_HERE}/FormDrag.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Module3.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form4.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_state.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_startup.cpp
  ${VANTREL_SOURCE_DIR_HERE}/ChangsBor.cpp
  ${VANTREL_SOURCE_DIR_HERE}/clsTransparency.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_page.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_zorder.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_loaders.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_viewers.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_timers.cpp
)
