# libjpeg (libjpeg-turbo's source, its libjpeg 6b interface) cross-built as a static library
# with the project's own toolchain. scripts/install-deps.sh unpacks the source into
# .deps/libjpeg-turbo; it is built once per build directory, installed inside it, and offered
# to the project as the imported target corvani_libjpeg (library and include directory).
include(ExternalProject)

set(CORVANI_LIBJPEG_SOURCE_DIR ${CORVANI_SOURCE_DIR}/.deps/libjpeg-turbo)
if(NOT EXISTS ${CORVANI_LIBJPEG_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR
    "The libjpeg-turbo source is missing from ${CORVANI_LIBJPEG_SOURCE_DIR}: "
    "run scripts/install-deps.sh first.")
endif()

set(CORVANI_LIBJPEG_PREFIX ${CMAKE_BINARY_DIR}/libjpeg)
set(CORVANI_LIBJPEG_LIBRARY ${CORVANI_LIBJPEG_PREFIX}/lib/${CMAKE_STATIC_LIBRARY_PREFIX}jpeg${CMAKE_STATIC_LIBRARY_SUFFIX})
set(CORVANI_LIBJPEG_INCLUDE_DIR ${CORVANI_LIBJPEG_PREFIX}/include)

# The toolchain file may have been given relative to the build directory.
set(corvani_libjpeg_toolchain "")
if(CMAKE_TOOLCHAIN_FILE)
  get_filename_component(corvani_libjpeg_toolchain ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE BASE_DIR ${CMAKE_BINARY_DIR})
endif()
set(corvani_libjpeg_build_type ${CMAKE_BUILD_TYPE})
if(NOT corvani_libjpeg_build_type)
  set(corvani_libjpeg_build_type Release)
endif()

ExternalProject_Add(corvani_libjpeg_build
  SOURCE_DIR ${CORVANI_LIBJPEG_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/libjpeg-build
  PREFIX ${CMAKE_BINARY_DIR}/libjpeg-ep
  INSTALL_DIR ${CORVANI_LIBJPEG_PREFIX}
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${corvani_libjpeg_toolchain}
    -DCMAKE_BUILD_TYPE=${corvani_libjpeg_build_type}
    -DCMAKE_INSTALL_PREFIX=${CORVANI_LIBJPEG_PREFIX}
    # Not CMAKE_INSTALL_LIBDIR and _INCLUDEDIR: given here, libjpeg's GNUInstallDirs takes them
    # as paths in its build tree. Its defaults for a cross build are lib and include.
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_SIMD=OFF
    -DWITH_TURBOJPEG=OFF
    -DWITH_JAVA=OFF
  BUILD_BYPRODUCTS ${CORVANI_LIBJPEG_LIBRARY}
  # Only the compiler's words, not libjpeg's build log, unless something fails.
  LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON
  UPDATE_COMMAND ""
)

# The include directory must exist when the project is generated, before the first build.
file(MAKE_DIRECTORY ${CORVANI_LIBJPEG_INCLUDE_DIR})
add_library(corvani_libjpeg STATIC IMPORTED GLOBAL)
set_target_properties(corvani_libjpeg PROPERTIES
  IMPORTED_LOCATION ${CORVANI_LIBJPEG_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${CORVANI_LIBJPEG_INCLUDE_DIR})
add_dependencies(corvani_libjpeg corvani_libjpeg_build)
