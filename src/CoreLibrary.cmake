# The Qt Core-only library: the pure rules, the data files (station file, language files, codec and line splitter),
# the ledger with its reading and totals, and the Board, the station table with its operations, clock and files.
# The program's widgets library, the tests, the benchmark and the fuzz targets (a project of their own, built with
# clang) all link this one target:
#   include(<src>/CoreLibrary.cmake)   defines tallivor_core
include_guard(GLOBAL)

add_library(tallivor_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/rules/ClockRule.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/ClockRule.h
    ${CMAKE_CURRENT_LIST_DIR}/rules/Numbers.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/Numbers.h
    ${CMAKE_CURRENT_LIST_DIR}/rules/TimeText.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/TimeText.h
    ${CMAKE_CURRENT_LIST_DIR}/store/DataFile.cpp ${CMAKE_CURRENT_LIST_DIR}/store/DataFile.h
    ${CMAKE_CURRENT_LIST_DIR}/store/StationFile.cpp ${CMAKE_CURRENT_LIST_DIR}/store/StationFile.h
    ${CMAKE_CURRENT_LIST_DIR}/store/TextCodec.cpp ${CMAKE_CURRENT_LIST_DIR}/store/TextCodec.h
    ${CMAKE_CURRENT_LIST_DIR}/store/TextLines.cpp ${CMAKE_CURRENT_LIST_DIR}/store/TextLines.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/Entries.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/Entries.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/LanguageFile.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/LanguageFile.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/Relabel.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/Relabel.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/KeyedTexts.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/KeyedTexts.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/StateWords.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/StateWords.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/Decimal.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/Decimal.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/Ledger.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/Ledger.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerChain.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerChain.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerLine.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerLine.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/SyncedFile.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/SyncedFile.h
    ${CMAKE_CURRENT_LIST_DIR}/board/Board.cpp ${CMAKE_CURRENT_LIST_DIR}/board/Board.h
    ${CMAKE_CURRENT_LIST_DIR}/board/BoardLock.cpp ${CMAKE_CURRENT_LIST_DIR}/board/BoardLock.h
    ${CMAKE_CURRENT_LIST_DIR}/board/Clocks.h
    ${CMAKE_CURRENT_LIST_DIR}/board/SteadySeconds.cpp ${CMAKE_CURRENT_LIST_DIR}/board/SteadySeconds.h
    ${CMAKE_CURRENT_LIST_DIR}/board/StringColumn.cpp ${CMAKE_CURRENT_LIST_DIR}/board/StringColumn.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerReader.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerReader.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/Totals.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/Totals.h
)
target_include_directories(tallivor_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tallivor_core PUBLIC Qt6::Core)
set_target_properties(tallivor_core PROPERTIES AUTOMOC ON)
target_compile_definitions(tallivor_core PRIVATE QT_NO_CAST_FROM_ASCII)
if(TARGET tallivor_warnings)
    target_link_libraries(tallivor_core PRIVATE tallivor_warnings)
endif()
