// How the SDL back end puts desktop pixels on the screen (not installed).
// Drivers with a plain framebuffer (x11) get the window surface, copied only
// where damaged. Drivers without one (wayland) answer no surface; there the
// damaged rectangles go into a streaming texture that a renderer shows.
#pragma once

#include "KsGeometry.h"

#include <SDL.h>
#include <pixman.h>

#include <cstddef>
#include <vector>

class KsSDLPresenter {
public:
    explicit KsSDLPresenter(SDL_Window* window) : window_(window) {}
    ~KsSDLPresenter();
    KsSDLPresenter(const KsSDLPresenter&) = delete;
    KsSDLPresenter& operator=(const KsSDLPresenter&) = delete;

    // Shows `rects` (device pixels) of `desktop`. The first failure to show
    // anything is logged with SDL's reason; later ones are not repeated.
    void Present(pixman_image_t* desktop, const KsRect* rects, std::size_t count);
    // Shows the whole of the desktop last presented (after an expose or a
    // resize of the native window, when its pixels may be gone).
    void PresentAgain();

private:
    bool PresentToSurface(pixman_image_t* desktop, const KsRect* rects, std::size_t count);
    bool PresentToTexture(pixman_image_t* desktop, const KsRect* rects, std::size_t count);
    bool MakeTexture(int width, int height);
    void Failed(const char* what);

    enum class Path : unsigned char { unknown, surface, texture };
    SDL_Window* window_;
    Path path_ = Path::unknown;
    SDL_Surface* source_ = nullptr; // wraps the desktop's pixels
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureW_ = 0, textureH_ = 0;
    pixman_image_t* last_ = nullptr; // referenced: it may be replaced meanwhile
    std::vector<SDL_Rect> rects_;
    bool loggedFailure_ = false;
};
