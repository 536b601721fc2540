#include "KsSDLPresenterPrivate.h"

#include "KsOutput.h"

#include <algorithm>

KsSDLPresenter::~KsSDLPresenter() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (source_) SDL_FreeSurface(source_);
    if (last_) pixman_image_unref(last_);
}

void KsSDLPresenter::Present(pixman_image_t* desktop, const KsRect* rects, std::size_t count) {
    if (!desktop || count == 0) return;
    if (last_ != desktop) {
        if (last_) pixman_image_unref(last_);
        last_ = pixman_image_ref(desktop);
    }
    // The surface is tried until it has worked once; a driver that never
    // gives one is served through the texture from then on.
    if (path_ != Path::texture) {
        if (PresentToSurface(desktop, rects, count)) {
            path_ = Path::surface;
            return;
        }
        if (path_ == Path::surface) return Failed("window surface");
    }
    if (PresentToTexture(desktop, rects, count)) {
        path_ = Path::texture;
        return;
    }
    Failed(path_ == Path::texture ? "texture" : "no window surface and no renderer");
}

void KsSDLPresenter::PresentAgain() {
    if (!last_) return;
    KsRect all{0, 0, pixman_image_get_width(last_), pixman_image_get_height(last_)};
    Present(last_, &all, 1);
}

bool KsSDLPresenter::PresentToSurface(pixman_image_t* desktop, const KsRect* rects,
                                      std::size_t count) {
    SDL_Surface* target = SDL_GetWindowSurface(window_); // owned by the window
    if (!target) return false;
    void* bits = pixman_image_get_data(desktop);
    const int w = pixman_image_get_width(desktop), h = pixman_image_get_height(desktop);
    if (!source_ || source_->pixels != bits || source_->w != w || source_->h != h) {
        if (source_) SDL_FreeSurface(source_);
        // pixman's x8r8g8b8 is SDL's RGB888: 32 bits, red in bits 16-23.
        source_ = SDL_CreateRGBSurfaceWithFormatFrom(
            bits, w, h, 32, pixman_image_get_stride(desktop), SDL_PIXELFORMAT_RGB888);
        if (!source_) return false;
    }
    const KsRect limit{0, 0, std::min(w, target->w), std::min(h, target->h)};
    rects_.clear();
    for (std::size_t i = 0; i < count; ++i) {
        KsRect r = rects[i].Intersect(limit);
        if (r.IsEmpty()) continue;
        SDL_Rect sr{r.left, r.top, r.Width(), r.Height()};
        SDL_Rect dr = sr;
        if (SDL_BlitSurface(source_, &sr, target, &dr) != 0) return false;
        rects_.push_back(sr);
    }
    return rects_.empty() ||
           SDL_UpdateWindowSurfaceRects(window_, rects_.data(), int(rects_.size())) == 0;
}

bool KsSDLPresenter::MakeTexture(int width, int height) {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    textureW_ = texture_ ? width : 0;
    textureH_ = texture_ ? height : 0;
    return texture_ != nullptr;
}

bool KsSDLPresenter::PresentToTexture(pixman_image_t* desktop, const KsRect* rects,
                                      std::size_t count) {
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) return false;
    const int w = pixman_image_get_width(desktop), h = pixman_image_get_height(desktop);
    const KsRect all{0, 0, w, h};
    if (!texture_ || textureW_ != w || textureH_ != h) {
        if (!MakeTexture(w, h)) return false;
        // A new texture holds nothing yet: it takes the whole desktop once.
        rects = &all;
        count = 1;
    }
    const auto* bits = reinterpret_cast<const unsigned char*>(pixman_image_get_data(desktop));
    const int stride = pixman_image_get_stride(desktop);
    for (std::size_t i = 0; i < count; ++i) {
        KsRect r = rects[i].Intersect(all);
        if (r.IsEmpty()) continue;
        SDL_Rect sr{r.left, r.top, r.Width(), r.Height()};
        const unsigned char* from = bits + std::size_t(r.top) * std::size_t(stride) +
                                    std::size_t(r.left) * sizeof(uint32_t);
        if (SDL_UpdateTexture(texture_, &sr, from, stride) != 0) return false;
    }
    // The renderer's back buffer is undefined after each present: the whole
    // texture is drawn again, one to one from the top-left corner.
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_Rect dst{0, 0, w, h};
    if (SDL_RenderCopy(renderer_, texture_, nullptr, &dst) != 0) return false;
    SDL_RenderPresent(renderer_);
    return true;
}

void KsSDLPresenter::Failed(const char* what) {
    if (loggedFailure_) return;
    loggedFailure_ = true;
    dprintf("sdl back end: the desktop cannot be shown (%s): %s\n", what, SDL_GetError());
}
