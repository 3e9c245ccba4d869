# Shared compiler settings and helpers for every Velarix target.

add_library(velarix_warnings INTERFACE)
target_compile_options(velarix_warnings INTERFACE
  -Wall -Wextra -Wshadow -pedantic -Wnon-virtual-dtor -Woverloaded-virtual)
if(VELARIX_WERROR)
  target_compile_options(velarix_warnings INTERFACE -Werror)
endif()

if(VELARIX_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(VELARIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# velarix_add_library(NAME SOURCES ... [PUBLIC_LINKS ...] [PRIVATE_LINKS ...])
# One static library per layer folder, with an alias velarix::<short name>.
function(velarix_add_library name alias)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LINKS;PRIVATE_LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  add_library(velarix::${alias} ALIAS ${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LINKS} PRIVATE velarix_warnings ${ARG_PRIVATE_LINKS})
endfunction()

# velarix_add_test(NAME SOURCES ... LINKS ...): one GoogleTest executable per
# layer, registered with ctest as one entry per suite.
function(velarix_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main velarix_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VELARIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELARIX_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
