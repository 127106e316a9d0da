#include "app/Application.h"

int main() {
  return SDL_main();
}
