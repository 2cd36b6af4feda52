"""Justice! Two knocks of the judge's gavel and a stern "Order!"."""

# espeak-ng stops the last vowel dead, and the reverb, which adds no tail, stops with it: let
# both die away over the last 40 ms
FADE_OUT = 0.04


def knock(k):
    # a wooden knock: a short mid-range noise crack over a low body thump
    crack = k.synth(0.05, "whitenoise", fx=["bandpass", 1400, "1.2q", "fade", "l", 0, 0.05, 0.048])
    body = k.synth(0.14, "sine", "240:140", fx=["fade", "l", 0, 0.14, 0.13])
    return k.mix((crack, 0.0), (body, 0.0, -2))


def make(k):
    order = k.speak("Order!", voice="en-us+m1", speed=130, pitch=25, fx=["reverb", 40])
    return k.fx(k.mix((knock(k), 0.0), (knock(k), 0.25), (order, 0.55, 3)), "reverb", 20)
