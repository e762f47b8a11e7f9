set(VANTREL_ACTIONS_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/Form1_ExecuteTag.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_actions_registry.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_actions_text.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_actions_jump.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_actions_shell.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_actions_viewers.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_actions_movie.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_actions_players.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_media_events.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_actions_window.cpp
  ${VANTREL_SOURCE_DIR_HERE}/Form1_events.cpp
)
list(APPEND VANTREL_WIN32_SOURCES ${VANTREL_ACTIONS_SOURCES})
# The action families switch over their operations with no default: an operation left without a
# handler fails the build.
set_source_files_properties(${VANTREL_ACTIONS_SOURCES} PROPERTIES COMPILE_OPTIONS -Werror=switch)
