#pragma once
// The window in which the hero speaks hints and phrases; its form and speech come with the
// adventure core. Created on first use.

#include "source/core/Singleton.h"

class HintWindow : public Singleton<HintWindow> {};
