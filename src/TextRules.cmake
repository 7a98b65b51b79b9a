# The pure text rules as one library with Qt Core alone: the data-file codec and line splitter, the station file,
# the language file, the numbers, the clock's rule and the time text, the ledger's lines, chain and appending file,
# and the report's reading and totals of the ledger. The program's widgets library, the benchmark
# and the fuzz targets (a project of their own, built with clang) all link this one target:
#   include(<src>/TextRules.cmake)   defines tallivor_text
include_guard(GLOBAL)

add_library(tallivor_text STATIC
    ${CMAKE_CURRENT_LIST_DIR}/board/ClockRule.cpp ${CMAKE_CURRENT_LIST_DIR}/board/ClockRule.h
    ${CMAKE_CURRENT_LIST_DIR}/board/Numbers.cpp ${CMAKE_CURRENT_LIST_DIR}/board/Numbers.h
    ${CMAKE_CURRENT_LIST_DIR}/board/TimeText.cpp ${CMAKE_CURRENT_LIST_DIR}/board/TimeText.h
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
    ${CMAKE_CURRENT_LIST_DIR}/report/LedgerReader.cpp ${CMAKE_CURRENT_LIST_DIR}/report/LedgerReader.h
    ${CMAKE_CURRENT_LIST_DIR}/report/Totals.cpp ${CMAKE_CURRENT_LIST_DIR}/report/Totals.h
)
target_include_directories(tallivor_text PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tallivor_text PUBLIC Qt6::Core)
target_compile_definitions(tallivor_text PRIVATE QT_NO_CAST_FROM_ASCII)
if(TARGET tallivor_warnings)
    target_link_libraries(tallivor_text PRIVATE tallivor_warnings)
endif()
