# One place for the compiler settings every target of the project uses.
add_library(ferrowen_compile_options INTERFACE)
# A dropped Status (a [[nodiscard]] result) is an error, not a warning.
target_compile_options(ferrowen_compile_options INTERFACE -Wall -Wextra -Wpedantic -Werror=unused-result)
target_compile_definitions(ferrowen_compile_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_KEYWORDS
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_USE_QSTRINGBUILDER
)

# Environment every test that touches Qt runs in: no display, no GPU, and the
# engine's sandbox off because CI runs as root.
set(FERROWEN_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen"
  "QTWEBENGINE_DISABLE_SANDBOX=1"
  "QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --disable-logging --no-sandbox"
)

# Builds that run slower than the usual one (the sanitizers) give every test
# this many times its time.
set(FERROWEN_TEST_TIMEOUT_FACTOR 1 CACHE STRING "Factor on every test's time limit")

# ferrowen_add_gtest(NAME SOURCES... LIBS... [QT_APP]) adds one GoogleTest
# program registered with CTest under the shared test environment. QT_APP
# gives it a main() that creates a QApplication (widgets, web engine) first.
function(ferrowen_add_gtest name)
  cmake_parse_arguments(ARG "QT_APP" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT_APP)
    set(main_lib ferrowen_qt_test_main)
  else()
    set(main_lib ferrowen_core_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${main_lib} GTest::gtest GTest::gmock ferrowen_compile_options)
  # Readable Qt strings in failure messages.
  target_compile_options(${name} PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/support/QtPrinters.h)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * ${FERROWEN_TEST_TIMEOUT_FACTOR}")
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${FERROWEN_TEST_ENVIRONMENT}"
    TIMEOUT ${ARG_TIMEOUT}
    LABELS "${ARG_LABELS}")
endfunction()
