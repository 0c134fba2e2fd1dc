# The converter: header parsing, format table, pixel decoders, streaming conversion, TGA
# output (platform-free, in readdxt_core), and the command-line program.
target_sources(readdxt_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/async_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/byte_io.cpp
  ${CMAKE_CURRENT_LIST_DIR}/converter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dds_formats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dds_parse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/helper_thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_size.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_decoders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tga_writer.cpp
)

add_executable(readdxt
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/output_file.cpp
)
target_link_libraries(readdxt PRIVATE readdxt_core)
# Beside texlook.exe in the build tree's top folder.
set_target_properties(readdxt PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
