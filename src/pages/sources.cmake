list(APPEND VANTREL_WIN32_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/Form1_LoadOpen.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_page.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_text.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_labels.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_media.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_alpha.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_buttons.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_timer.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_lists.cpp
)
list(APPEND VANTREL_WIN32_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_shapes.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_records_tile.cpp
)
