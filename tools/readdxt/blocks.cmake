# BC block decoders (one file per format family).
target_sources(readdxt_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/half_float.cpp
)
