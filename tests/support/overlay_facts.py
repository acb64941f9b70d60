"""What the overlay shows on the screen the tests and the benchmark give it, in pixels: the
figures that more than one test or measurement judges by, kept in one place."""

# The screen: 1024 x 768 at 96 dpi, so 15 twips a pixel.
SCREEN = (1024, 768)
DPI = 96

# Where the strip starts on it: a quarter of the screen's width in, 602 px (9030 twips) down, half
# the screen's width wide and 40 px (600 twips) high, as (x, y, width, height).
START = (256, 602, 512, 40)
MINIMUM_WIDTH = 100  # 1500 twips

# The alpha each double-click on the strip applies, from the first: (100 - percent) * 2.55
# rounded down for 0, 5, ... 60 per cent transparency. The next one starts the round again.
OPACITY_CYCLE = (254, 242, 229, 216, 204, 191, 178, 165, 153, 140, 127, 114, 102)


def opacity_of(alpha):
    """_NET_WM_WINDOW_OPACITY for an alpha of 0..255."""
    return alpha * 0x01010101


def alpha_after(double_clicks):
    """The alpha after that many double-clicks on the strip, from a fresh start."""
    return OPACITY_CYCLE[(double_clicks - 1) % len(OPACITY_CYCLE)]


# Back in the topmost band this soon after anything took it away: a few 50 ms ticks.
BACK_ON_TOP = 0.3
# Gone this soon after a double-click on the close mark, or after losing its X server.
EXIT_TIMEOUT = 2.0

BLACK = (0, 0, 0)
RED = (255, 0, 0)
GREEN = (0, 255, 0)

# The close mark "x": 375 x 255 twips at (5, 5) twips, i.e. about 25 x 17 px in the strip's
# top-left corner, as (x, y, width, height) from that corner; and a point on it.
CLOSE_MARK_BOX = (0, 0, 26, 18)
CLOSE_MARK_POINT = (8, 8)


def reddish(colour):
    r, g, b = colour
    return r >= 160 and g <= 90 and b <= 90


def darkish(colour):
    return max(colour) <= 60
