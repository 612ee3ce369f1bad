#include "player/player.h"

namespace airvane {

void playHandOff(Player& player, std::string_view path) {
    player.clearPlaylist();
    player.addFile(path);
    player.play();
}

}  // namespace airvane
