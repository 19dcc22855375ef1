# Import library for Microsoft's linker and the install layout (included by the
# top CMakeLists.txt after the orvcc32 target).
find_program(ORVCC_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(ORVCC_MACHINE i386:x86-64)
else()
    set(ORVCC_MACHINE i386)
endif()
set(ORVCC_MSVC_LIB ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/orvcc32.lib)
if(ORVCC_LLVM_DLLTOOL)
    # -k: 32-bit hosts refer to _InitORVCC@4, the DLL exports InitORVCC.
    add_custom_command(TARGET orvcc32 POST_BUILD
        COMMAND ${ORVCC_LLVM_DLLTOOL} -m ${ORVCC_MACHINE} -k -d ${ORVCC_DEF}
                -D orvcc32.dll -l ${ORVCC_MSVC_LIB}
        COMMENT "Import library of orvcc32.dll for Microsoft's linker")
else()
    message(WARNING "llvm-dlltool not found: no lib/orvcc32.lib (install llvm)")
endif()

target_include_directories(orvcc32 INTERFACE
    $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include> $<INSTALL_INTERFACE:include>)
install(TARGETS orvcc32 EXPORT orvcc32Targets RUNTIME DESTINATION bin ARCHIVE DESTINATION lib)
install(FILES include/orvcc32.h DESTINATION include)
install(FILES ${ORVCC_DEF} DESTINATION lib)
if(ORVCC_LLVM_DLLTOOL)
    install(FILES ${ORVCC_MSVC_LIB} DESTINATION lib)
endif()
install(EXPORT orvcc32Targets NAMESPACE orvcc32:: DESTINATION lib/cmake/orvcc32)
include(CMakePackageConfigHelpers)
file(WRITE ${CMAKE_BINARY_DIR}/orvcc32Config.cmake
     "include(\"\${CMAKE_CURRENT_LIST_DIR}/orvcc32Targets.cmake\")\n")
# The version file also refuses a package of the other pointer size.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/orvcc32ConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/orvcc32Config.cmake ${CMAKE_BINARY_DIR}/orvcc32ConfigVersion.cmake
        DESTINATION lib/cmake/orvcc32)
