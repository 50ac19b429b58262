#include "app/Screen.h"

#include <SFML/Window/VideoMode.hpp>

const float SCREEN_W = static_cast<float>(sf::VideoMode::getDesktopMode().width);
const float SCREEN_H = static_cast<float>(sf::VideoMode::getDesktopMode().height);
