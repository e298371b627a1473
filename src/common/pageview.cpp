#include "common/pageview.h"

PageView::~PageView() = default;
