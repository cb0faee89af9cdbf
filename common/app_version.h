#pragma once

// The program's version, the one place it is written: the program's texts,
// its resource script and the name of its download all take it from here.
#define QUORREL_VERSION_MAJOR 2
#define QUORREL_VERSION_MINOR 3

#define QUORREL_TEXT_OF(tokens) #tokens
#define QUORREL_VERSION_TEXT_OF(major, minor) QUORREL_TEXT_OF(major.minor)
#define QUORREL_VERSION_TEXT QUORREL_VERSION_TEXT_OF(QUORREL_VERSION_MAJOR, QUORREL_VERSION_MINOR)
