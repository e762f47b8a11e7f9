list(APPEND VANTREL_WIN32_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/window_layout.cpp
  ${VANTREL_SOURCE_DIR_HERE}/copy_plan.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form2_intro.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form3_slideshow.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form5_about.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form6_exit.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form7_movie.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form8_picture_popup.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form9_copy_dialog.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form11_picture_viewer.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form12_media_browser.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form15_backdrop.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form17_title_bar.cpp
  ${VANTREL_SOURCE_DIR_HERE}/mnu_popup_menu.cpp
)
