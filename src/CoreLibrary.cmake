# The Qt Core-only library: the pure rules and Money, the data files (station file, language files, codec and line
# splitter, the CSV of the program's own lists), the language in force, the ledger with its events, the owner's
# accounts read back from it, the till (products, tabs, rates, the operators and their PINs, the room's settings), and
# the Board with the pieces it is made of (the station table, paid time, the files' life, the clock's timers).
# The program's widgets library, the tests, the benchmark and the fuzz targets (a project of their own, built with
# clang) all link this one target:
#   include(<src>/CoreLibrary.cmake)   defines tallivor_core
include_guard(GLOBAL)

add_library(tallivor_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/rules/ClockRule.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/ClockRule.h
    ${CMAKE_CURRENT_LIST_DIR}/rules/Money.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/Money.h
    ${CMAKE_CURRENT_LIST_DIR}/rules/Numbers.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/Numbers.h
    ${CMAKE_CURRENT_LIST_DIR}/rules/TimeText.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/TimeText.h
    ${CMAKE_CURRENT_LIST_DIR}/store/Csv.cpp ${CMAKE_CURRENT_LIST_DIR}/store/Csv.h
    ${CMAKE_CURRENT_LIST_DIR}/store/DataFile.cpp ${CMAKE_CURRENT_LIST_DIR}/store/DataFile.h
    ${CMAKE_CURRENT_LIST_DIR}/store/StationFile.cpp ${CMAKE_CURRENT_LIST_DIR}/store/StationFile.h
    ${CMAKE_CURRENT_LIST_DIR}/store/TextCodec.cpp ${CMAKE_CURRENT_LIST_DIR}/store/TextCodec.h
    ${CMAKE_CURRENT_LIST_DIR}/store/TextLines.cpp ${CMAKE_CURRENT_LIST_DIR}/store/TextLines.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/Entries.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/Entries.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/KeyedTexts.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/KeyedTexts.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/Language.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/Language.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/LanguageFile.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/LanguageFile.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/StateWords.cpp ${CMAKE_CURRENT_LIST_DIR}/lang/StateWords.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/Events.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/Events.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/Ledger.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/Ledger.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerChain.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerChain.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerLine.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerLine.h
    ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerReader.cpp ${CMAKE_CURRENT_LIST_DIR}/ledger/LedgerReader.h
    ${CMAKE_CURRENT_LIST_DIR}/store/SyncedFile.cpp ${CMAKE_CURRENT_LIST_DIR}/store/SyncedFile.h
    ${CMAKE_CURRENT_LIST_DIR}/accounts/Period.cpp ${CMAKE_CURRENT_LIST_DIR}/accounts/Period.h
    ${CMAKE_CURRENT_LIST_DIR}/accounts/Receipts.cpp ${CMAKE_CURRENT_LIST_DIR}/accounts/Receipts.h
    ${CMAKE_CURRENT_LIST_DIR}/accounts/ReportModel.cpp ${CMAKE_CURRENT_LIST_DIR}/accounts/ReportModel.h
    ${CMAKE_CURRENT_LIST_DIR}/accounts/ReportWords.cpp ${CMAKE_CURRENT_LIST_DIR}/accounts/ReportWords.h
    ${CMAKE_CURRENT_LIST_DIR}/accounts/Totals.cpp ${CMAKE_CURRENT_LIST_DIR}/accounts/Totals.h
    ${CMAKE_CURRENT_LIST_DIR}/till/Products.cpp ${CMAKE_CURRENT_LIST_DIR}/till/Products.h
    ${CMAKE_CURRENT_LIST_DIR}/till/Rates.cpp ${CMAKE_CURRENT_LIST_DIR}/till/Rates.h
    ${CMAKE_CURRENT_LIST_DIR}/till/RoomSettings.cpp ${CMAKE_CURRENT_LIST_DIR}/till/RoomSettings.h
    ${CMAKE_CURRENT_LIST_DIR}/till/Tab.cpp ${CMAKE_CURRENT_LIST_DIR}/till/Tab.h
    ${CMAKE_CURRENT_LIST_DIR}/till/Till.cpp ${CMAKE_CURRENT_LIST_DIR}/till/Till.h
    ${CMAKE_CURRENT_LIST_DIR}/board/Board.cpp ${CMAKE_CURRENT_LIST_DIR}/board/Board.h
    ${CMAKE_CURRENT_LIST_DIR}/board/BoardClock.cpp ${CMAKE_CURRENT_LIST_DIR}/board/BoardClock.h
    ${CMAKE_CURRENT_LIST_DIR}/board/BoardFiles.cpp ${CMAKE_CURRENT_LIST_DIR}/board/BoardFiles.h
    ${CMAKE_CURRENT_LIST_DIR}/board/ClockPass.cpp ${CMAKE_CURRENT_LIST_DIR}/board/ClockPass.h
    ${CMAKE_CURRENT_LIST_DIR}/board/BoardLock.cpp ${CMAKE_CURRENT_LIST_DIR}/board/BoardLock.h
    ${CMAKE_CURRENT_LIST_DIR}/board/PaidDesk.cpp ${CMAKE_CURRENT_LIST_DIR}/board/PaidDesk.h
    ${CMAKE_CURRENT_LIST_DIR}/board/PaidTime.cpp ${CMAKE_CURRENT_LIST_DIR}/board/PaidTime.h
    ${CMAKE_CURRENT_LIST_DIR}/board/Reconcile.cpp ${CMAKE_CURRENT_LIST_DIR}/board/Reconcile.h
    ${CMAKE_CURRENT_LIST_DIR}/board/StationStore.cpp ${CMAKE_CURRENT_LIST_DIR}/board/StationStore.h
    ${CMAKE_CURRENT_LIST_DIR}/board/StationEdit.cpp ${CMAKE_CURRENT_LIST_DIR}/board/StationEdit.h
    ${CMAKE_CURRENT_LIST_DIR}/board/TabDesk.cpp ${CMAKE_CURRENT_LIST_DIR}/board/TabDesk.h
    ${CMAKE_CURRENT_LIST_DIR}/board/TabStore.cpp ${CMAKE_CURRENT_LIST_DIR}/board/TabStore.h
    ${CMAKE_CURRENT_LIST_DIR}/board/StationTable.cpp ${CMAKE_CURRENT_LIST_DIR}/board/StationTable.h
    ${CMAKE_CURRENT_LIST_DIR}/board/SteadySeconds.cpp ${CMAKE_CURRENT_LIST_DIR}/board/SteadySeconds.h
    ${CMAKE_CURRENT_LIST_DIR}/board/TextColumn.cpp ${CMAKE_CURRENT_LIST_DIR}/board/TextColumn.h
    ${CMAKE_CURRENT_LIST_DIR}/till/Operators.cpp ${CMAKE_CURRENT_LIST_DIR}/till/Operators.h
    ${CMAKE_CURRENT_LIST_DIR}/till/Pin.cpp ${CMAKE_CURRENT_LIST_DIR}/till/Pin.h
    ${CMAKE_CURRENT_LIST_DIR}/lang/Relabel.h
    ${CMAKE_CURRENT_LIST_DIR}/board/Clocks.h
)
target_include_directories(tallivor_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tallivor_core PUBLIC Qt6::Core)
set_target_properties(tallivor_core PROPERTIES AUTOMOC ON)
target_compile_definitions(tallivor_core PRIVATE QT_NO_CAST_FROM_ASCII)
# The operators' PINs are hashed and checked by libsodium, which only till/Pin.cpp includes. On Linux, Debian's
# libsodium-dev through pkg-config. On Windows, a static libsodium on the find paths (the windows-cross preset's
# toolchain file, cmake/MinGWCross.cmake, unpacks one and puts it there), whose header must be told it is static.
if(WIN32)
    find_path(TALLIVOR_SODIUM_INCLUDE_DIR sodium.h REQUIRED)
    find_library(TALLIVOR_SODIUM_LIBRARY NAMES libsodium.a sodium libsodium REQUIRED)
    add_library(tallivor_sodium STATIC IMPORTED GLOBAL)
    set_target_properties(tallivor_sodium PROPERTIES IMPORTED_LOCATION "${TALLIVOR_SODIUM_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${TALLIVOR_SODIUM_INCLUDE_DIR}" INTERFACE_COMPILE_DEFINITIONS SODIUM_STATIC)
    target_link_libraries(tallivor_core PRIVATE tallivor_sodium)
else()
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET GLOBAL libsodium)
    target_link_libraries(tallivor_core PRIVATE PkgConfig::SODIUM)
endif()
if(TARGET tallivor_warnings)
    target_link_libraries(tallivor_core PRIVATE tallivor_warnings)
endif()
