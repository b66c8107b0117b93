#include "resources/TestSounds.h"

#include <cstdio>
#include <filesystem>

// Build step: writes the sound-test tones into the resources folder and the chime that the
// build then encodes as the default MP3.
int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_sounds FOLDER CHIME.wav\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (!TestSounds::writeTones(argv[1]) || !TestSounds::writeWav(argv[2], TestSounds::chime())) {
        std::fprintf(stderr, "make_sounds: cannot write into %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
