# Layer III Huffman and scale-factor band tables, generated at build time from
# the text tables in engine/tables/ by the project's own generators.
set(layer3_generated_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
set(layer3_generated ${layer3_generated_dir}/engine)

function(orvana_generated_table generator text output)
  add_executable(${generator} ${CMAKE_CURRENT_SOURCE_DIR}/tools/${generator}.cpp)
  add_custom_command(
    OUTPUT ${layer3_generated}/${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${layer3_generated}
    COMMAND ${generator} ${CMAKE_CURRENT_SOURCE_DIR}/tables/${text} ${layer3_generated}/${output}
    DEPENDS ${generator} ${CMAKE_CURRENT_SOURCE_DIR}/tables/${text}
    COMMENT "Generating ${output} from ${text}")
  target_sources(orvana_engine PRIVATE ${layer3_generated}/${output})
endfunction()

orvana_generated_table(huffman_table_generator huffman.txt layer3_huffman_tables.inc)
orvana_generated_table(band_table_generator scalefactor-bands.txt layer3_band_tables.inc)
target_include_directories(orvana_engine PRIVATE ${layer3_generated_dir})
