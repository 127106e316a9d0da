#pragma once

#include <string>

// Where the game keeps what a player makes (levels, recovery files,
// settings), given the folder it reads its shipped resources from:
// - $CLAMBER_PLAYER_DIR when it is an absolute path (any run, a build tree
//   too);
// - the shipped folder itself when the game runs from a build tree (the
//   "resources" folder beside the executable), so that a developer's saves
//   land in the source tree;
// - $XDG_DATA_HOME/clamber when XDG_DATA_HOME is an absolute path;
// - $HOME/.local/share/clamber when HOME is an absolute path;
// - else none: the empty string.
std::string getPlayerPath(const std::string& resourcePath);

// Makes folder and every missing folder above it, each with mode 0700 (the
// mode the XDG rules ask for), as a write into it needs. False, with errno
// telling why, when one cannot be made.
bool makePlayerFolders(const std::string& folder);
