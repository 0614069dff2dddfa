# The units that use no Qt. Every file here must compile with the standard
# library alone; the fuzz targets are built from them.
set(TAVREL_PURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../src/platform/TextCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/platform/Platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/shared/XMLRoutines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/shared/StringFunctions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/shared/TQList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/shared/DataFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/shared/FileFunctions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/shared/ConfigDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/shared/ElementWalker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/askery/QuizFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/shared/ReadingPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/shared/WebExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/askery/QuizExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/pairo/core/MixStringList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/pairo/core/MatchFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/pairo/core/PairEditing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/pairo/core/MatchExport.cpp
)
