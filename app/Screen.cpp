#include "app/Screen.h"

float SCREEN_W = 0.f;
float SCREEN_H = 0.f;

void setScreenSize(unsigned width, unsigned height) {
    SCREEN_W = static_cast<float>(width);
    SCREEN_H = static_cast<float>(height);
}
