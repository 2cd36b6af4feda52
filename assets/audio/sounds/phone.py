"""A phone rings: the incoming-call sound of Debian's freedesktop sound theme."""


def make(k):
    return k.theme_sound("phone-incoming-call")
