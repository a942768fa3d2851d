# -DKZ_SANITIZE=ON builds the library, the simulator, the tools and every test
# with AddressSanitizer and UndefinedBehaviorSanitizer, stopping at the first
# report. With a compiler that has libFuzzer (clang), the code is also
# instrumented for coverage and the fuzz targets under tests/fuzz are built.
option(KZ_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
set(KZ_FUZZ OFF)
if(KZ_SANITIZE)
  include(CheckCXXSourceCompiles)
  set(CMAKE_REQUIRED_FLAGS "-fsanitize=fuzzer")
  set(CMAKE_REQUIRED_LINK_OPTIONS "-fsanitize=fuzzer")
  check_cxx_source_compiles([[
    #include <cstddef>
    #include <cstdint>
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }
  ]] KZ_HAVE_LIBFUZZER)
  unset(CMAKE_REQUIRED_FLAGS)
  unset(CMAKE_REQUIRED_LINK_OPTIONS)

  set(_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${_sanitizers} -fno-omit-frame-pointer)
  add_link_options(${_sanitizers})
  add_library(kzsanitizerdefaults OBJECT ${CMAKE_CURRENT_LIST_DIR}/sanitizerdefaults.cpp)
  link_libraries(kzsanitizerdefaults)
  if(KZ_HAVE_LIBFUZZER)
    add_compile_options(-fsanitize=fuzzer-no-link)
    set(KZ_FUZZ ON)
  else()
    message(STATUS "No libFuzzer with this compiler: fuzz targets are not built")
  endif()
endif()
