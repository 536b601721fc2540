// Main-thread identity.
//
// The main thread is the one that loaded the core library; an application
// whose start-up runs on another thread claims the role with KsSetMainThread.
// Both calls are safe from any thread.
#pragma once

bool KsIsMainThread();
// Makes the calling thread the main thread.
void KsSetMainThread();
