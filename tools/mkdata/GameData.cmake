# The runtime folder of the build tree, game/, with the packages mkdata makes in game/data/. They are made
# again only when the generator, its manifest, its region table or its word list change; mkdata prints how
# long it took.
set(KV_GAME_FOLDER ${CMAKE_BINARY_DIR}/game CACHE INTERNAL "The build tree's runtime folder")
# A tree whose checks only read the data may take the packages another tree of these sources made (test.sh's
# threaded-suites tree takes the test tree's) instead of building and running the generator itself.
set(KV_GAME_DATA_FROM "" CACHE PATH "A game data folder made by another build tree of these sources")
if(KV_GAME_DATA_FROM)
  set(KV_DATA_FOLDER ${KV_GAME_DATA_FROM} CACHE INTERNAL "The packages the tree's checks read")
  add_custom_target(game_data ALL
                    COMMAND ${CMAKE_COMMAND} -E cat ${KV_GAME_DATA_FROM}/.made
                    COMMENT "Taking the game data made in ${KV_GAME_DATA_FROM}" VERBATIM)
  return()
endif()
set(KV_DATA_FOLDER ${KV_GAME_FOLDER}/data CACHE INTERNAL "The packages mkdata makes")
set(KV_DATA_STAMP ${KV_DATA_FOLDER}/.made)
set(KV_MKDATA_SOURCES ${KV_ROOT}/tools/mkdata/manifest.txt ${KV_ROOT}/tools/mkdata/regions.txt
                      ${KV_ROOT}/tools/mkdata/filtered_words.txt)
# In the sanitizer trees the generator runs with the leak checker told of the system libraries' lifetime
# allocations (fontconfig's, opened for the logo's letters).
add_custom_command(
  OUTPUT ${KV_DATA_STAMP}
  COMMAND ${CMAKE_COMMAND} -E env LSAN_OPTIONS=suppressions=${KV_ROOT}/tests/lsan.supp:print_suppressions=0
          $<TARGET_FILE:mkdata> ${KV_ROOT}/tools/mkdata/manifest.txt ${KV_ROOT}/tools/mkdata/regions.txt ${KV_DATA_FOLDER}
  COMMAND ${CMAKE_COMMAND} -E touch ${KV_DATA_STAMP}
  DEPENDS mkdata ${KV_MKDATA_SOURCES}
  COMMENT "Making the game data in ${KV_DATA_FOLDER}"
  VERBATIM USES_TERMINAL)
add_custom_target(game_data ALL DEPENDS ${KV_DATA_STAMP})
