// cond_colour.h -- the colour scale of 1/kappa pictures, in step with the Conditioning light
#ifndef VELMORA_COND_COLOUR_H
#define VELMORA_COND_COLOUR_H

// k in 0..1 (clamped; not a number as 0) to rgb along dark red (0), red (0.1), orange
// (0.3), yellow (0.5) and green (1), linear between these stops: below 0.1 reads red,
// 0.1 to 0.5 orange to yellow, above 0.5 green, as the light's three levels
void CondColour(double k, unsigned char rgb[3]);

#endif
