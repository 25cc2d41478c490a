# The track readers and the terrain tile reader, with Expat and GeographicLib:
# included by CMakeLists.txt.
find_package(EXPAT REQUIRED)
find_package(Threads REQUIRED)
find_library(passcat_fuzz_geographiclib NAMES Geographic GeographicLib REQUIRED)
file(GLOB passcat_tracks_sources CONFIGURE_DEPENDS "${passcat_root}/tracks/*.cpp")
add_library(passcat_tracks_fuzz STATIC ${passcat_tracks_sources})
target_compile_options(passcat_tracks_fuzz PRIVATE -fsanitize=fuzzer-no-link)
target_link_libraries(passcat_tracks_fuzz PUBLIC passcat_engine_fuzz EXPAT::EXPAT ${passcat_fuzz_geographiclib} Threads::Threads)

add_executable(fuzz_track_readers track_readers_fuzzer.cpp)
target_compile_options(fuzz_track_readers PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_track_readers PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_track_readers PRIVATE passcat_tracks_fuzz)

add_executable(fuzz_terrain_tile terrain_tile_fuzzer.cpp)
target_compile_options(fuzz_terrain_tile PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_terrain_tile PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_terrain_tile PRIVATE passcat_tracks_fuzz)
