#include "app/App.h"

int main() {
    App app;
    while (app.isOpen()) {
        app.update();
        app.render();
    }
    return 0;
}
