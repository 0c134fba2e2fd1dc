# BC block decoders (one file per format family).
target_sources(readdxt_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bc_common.h
  ${CMAKE_CURRENT_LIST_DIR}/bc_partitions.h
  ${CMAKE_CURRENT_LIST_DIR}/bc1_3.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bc4_5.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bc6h.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bc7.cpp
  ${CMAKE_CURRENT_LIST_DIR}/half_float.cpp
)
