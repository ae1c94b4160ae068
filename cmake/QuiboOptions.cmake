# SPDX-License-Identifier: MIT
# Project options and the helpers every target uses.

option(QUIBO_WERROR "Treat compiler warnings as errors" OFF)
option(QUIBO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUIBO_BENCH "Build the benchmarks under bench/" ON)
option(QUIBO_FUZZ "Build the libFuzzer targets under fuzz/ (needs clang)" OFF)
# A library's files compiled eight to a unit: a whole build (as CI and a first start make) takes about
# half the time, a change to one file recompiles its seven neighbours. OFF for a long session of
# small changes.
option(QUIBO_UNITY "Compile the libraries' files in batches" ON)
option(QUIBO_DISCOVERY "Announce and list tables on the local network (uses avahi-client where found)" ON)
set(QUIBO_APP_ID "org.quibo.Quibo" CACHE STRING "Desktop and AppStream identifier of the game")
set(QUIBO_HOMEPAGE "https://quibo.org/" CACHE STRING "Home page named in the metainfo and the package")
# The sizes in which the icon is drawn as PNG next to the SVG.
set(QUIBO_ICON_SIZES 16 22 24 32 48 64 128 256)

set(QUIBO_WARNINGS -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual
    -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND QUIBO_WARNINGS -Wshadow=local)
else()
  list(APPEND QUIBO_WARNINGS -Wshadow-uncaptured-local)
endif()
if(QUIBO_WERROR)
  list(APPEND QUIBO_WARNINGS -Werror)
endif()

if(QUIBO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# quibo_target_defaults(<target>): warnings and the house definitions for one of our targets.
function(quibo_target_defaults target)
  target_compile_options(${target} PRIVATE ${QUIBO_WARNINGS})
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS QT_NO_CAST_FROM_BYTEARRAY)
  get_target_property(kind ${target} TYPE)
  if(QUIBO_UNITY AND kind STREQUAL "STATIC_LIBRARY")
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  endif()
endfunction()

# Every test sees the same Qt modules, so that all of them can share one precompiled header of the Qt
# headers they include (compiling the tests is most of the build's time, and CI builds them twice).
set(QUIBO_TEST_QT Qt6::Test Qt6::Widgets Qt6::Network Qt6::Multimedia)
function(quibo_reuse_test_pch exe)
  if(QUIBO_PCH)
    if(NOT TARGET quibo_test_pch)
      add_library(quibo_test_pch OBJECT ${PROJECT_SOURCE_DIR}/tests/support/testpch.cpp)
      quibo_target_defaults(quibo_test_pch)
      target_link_libraries(quibo_test_pch PRIVATE ${QUIBO_TEST_QT})
      target_precompile_headers(quibo_test_pch PRIVATE <QTest> <QSignalSpy> <QTemporaryDir> <QObject>
                                <QString> <QStringList> <QByteArray> <QList> <QFile> <QDir> <QProcess>
                                <QTcpServer> <QTcpSocket> <QApplication> <QWidget> <QLabel>)
    endif()
    target_precompile_headers(${exe} REUSE_FROM quibo_test_pch)
    # The moc output of a test is included by its own file; the file automoc adds is all but empty and
    # would only pay for loading the header.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${exe}_autogen/mocs_compilation.cpp
                                PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  endif()
endfunction()

# quibo_add_test(<ctest name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable per test file, run headless inside its own temporary working directory.
function(quibo_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  string(REPLACE "." "_" exe "tst_${name}")
  add_executable(${exe} ${ARG_SOURCES})
  quibo_target_defaults(${exe})
  target_link_libraries(${exe} PRIVATE ${QUIBO_TEST_QT} ${ARG_LIBS})
  quibo_reuse_test_pch(${exe})
  target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  add_test(NAME ${name} COMMAND ${exe})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=quibo.*.debug=false"
    TIMEOUT ${ARG_TIMEOUT}
    LABELS "${ARG_LABELS}")
endfunction()

# quibo_precompile_qt(<target> <headers...>): the Qt headers most of a target's files include, parsed
# once per target instead of once per file (a large share of the build's time, three builds in CI).
option(QUIBO_PCH "Precompile the Qt headers of the libraries" ON)
function(quibo_precompile_qt target)
  if(QUIBO_PCH)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()

# Port forwarding on the home router, each built in when its Debian library is there; without
# either the program still builds and says that it cannot ask the router.
option(QUIBO_NATPMP "Ask the router for port forwarding by NAT-PMP (libnatpmp-dev) when it is installed" ON)
option(QUIBO_UPNP "Ask the router for port forwarding by UPnP IGD (libminiupnpc-dev) when it is installed" ON)
