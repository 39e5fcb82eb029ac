#pragma once
// The desktop's visual style as the program sees it. Linux has no visual-styles library: a style
// counts as active only when one was declared here (by tests, or a future desktop-theme probe),
// by the name of its colour variant ("NormalColor", "HomeStead", "Metallic", ...). Without one,
// every control draws its classic look. The flat controls and the grid read the same declaration.
#include <QString>

#include <optional>

// std::nullopt (the default) declares the classic look without visual styles.
void SetActiveVisualStyle(std::optional<QString> colorVariant);
std::optional<QString> ActiveVisualStyle();
