#include "tools/assetgen/sounds.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/random.h"
#include "tools/assetgen/sphere.h"
#include "tools/assetgen/wav_writer.h"

namespace {

constexpr double kRate = kSampleRate;
constexpr double kPeak = 0.85;

int Samples(double seconds)
{
    return static_cast<int>(std::lround(seconds * kRate));
}

// Scales to the common peak and puts short linear ramps on both ends.
std::vector<double> Finish(std::vector<double> samples, double fadeInMs, double fadeOutMs)
{
    double peak = 0.0;
    for (double s : samples)
        peak = std::fmax(peak, std::fabs(s));
    const double gain = peak > 0.0 ? kPeak / peak : 0.0;
    const int n = static_cast<int>(samples.size());
    const int in = std::max(1, Samples(fadeInMs / 1000.0));
    const int out = std::max(1, Samples(fadeOutMs / 1000.0));
    for (int i = 0; i < n; ++i) {
        double g = gain;
        if (i < in)
            g *= static_cast<double>(i) / in;
        if (i >= n - out)
            g *= static_cast<double>(n - 1 - i) / out;
        samples[static_cast<size_t>(i)] *= g;
    }
    return samples;
}

// A state-variable filter whose centre can move from sample to sample.
class Filter {
public:
    explicit Filter(double damping) : damping_(damping) {}
    // Returns the band-pass output; Low() and High() give the other two.
    double Step(double input, double centreHz)
    {
        const double f = 2.0 * std::sin(kPi * std::fmin(centreHz, kRate / 6.5) / kRate);
        low_ += f * band_;
        high_ = input - low_ - damping_ * band_;
        band_ += f * high_;
        return band_;
    }
    double Low() const { return low_; }
    double High() const { return high_; }

private:
    double damping_;
    double low_ = 0.0;
    double band_ = 0.0;
    double high_ = 0.0;
};

double Noise(Random& random)
{
    return random.Range(-1.0, 1.0);
}

// A struck bell-like tone: a few inharmonic partials, each dying away at its own rate.
double Bell(double t, double frequency, double decay)
{
    static const double kRatios[] = {1.0, 2.0, 2.76, 4.07, 5.4};
    static const double kLevels[] = {1.0, 0.45, 0.3, 0.15, 0.08};
    double sum = 0.0;
    for (int i = 0; i < 5; ++i)
        sum += kLevels[i] * std::sin(2.0 * kPi * frequency * kRatios[i] * t) *
               std::exp(-t * decay * (1.0 + 0.7 * i));
    return sum;
}

}  // namespace

std::vector<double> MakeClick()
{
    // A tick of filtered noise and a short high blip, as of a switch.
    const int n = Samples(0.12);
    std::vector<double> out(static_cast<size_t>(n));
    Random random(0x1Eull);
    Filter filter(0.3);
    for (int i = 0; i < n; ++i) {
        const double t = i / kRate;
        const double tick = filter.Step(Noise(random), 3200.0) * std::exp(-t * 400.0);
        const double blip = std::sin(2.0 * kPi * 1900.0 * t) * std::exp(-t * 120.0);
        const double body = std::sin(2.0 * kPi * 620.0 * t) * std::exp(-t * 60.0);
        out[static_cast<size_t>(i)] = 0.9 * tick + 0.5 * blip + 0.3 * body;
    }
    return Finish(out, 0.5, 20.0);
}

std::vector<double> MakeWhoosh()
{
    // Noise through a band that sweeps up and back down, swelling and fading.
    const double seconds = 0.55;
    const int n = Samples(seconds);
    std::vector<double> out(static_cast<size_t>(n));
    Random random(0x1Full);
    Filter filter(0.5);
    Filter second(0.7);
    for (int i = 0; i < n; ++i) {
        const double x = i / static_cast<double>(n);
        const double centre = 350.0 + 2600.0 * std::sin(kPi * std::pow(x, 0.7));
        const double envelope = std::pow(std::sin(kPi * std::pow(x, 0.6)), 2.0);
        const double band = filter.Step(Noise(random), centre);
        out[static_cast<size_t>(i)] = second.Step(band, centre * 1.1) * envelope;
    }
    return Finish(out, 5.0, 30.0);
}

std::vector<double> MakeThud()
{
    // A low body blow: a dropping sine with a soft noisy knock on top.
    const int n = Samples(0.3);
    std::vector<double> out(static_cast<size_t>(n));
    Random random(0x2Dull);
    Filter filter(0.8);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = i / kRate;
        const double frequency = 48.0 + 70.0 * std::exp(-t * 30.0);
        phase += 2.0 * kPi * frequency / kRate;
        const double body = std::sin(phase) * std::exp(-t * 14.0);
        filter.Step(Noise(random), 400.0);
        const double knock = filter.Low() * std::exp(-t * 60.0);
        out[static_cast<size_t>(i)] = body + 1.2 * knock;
    }
    return Finish(out, 1.0, 40.0);
}

std::vector<double> MakeBoom()
{
    // A falling boom: a sweep from a growl down into the floor, rumbling noise, long tail.
    const double seconds = 1.0;
    const int n = Samples(seconds);
    std::vector<double> out(static_cast<size_t>(n));
    Random random(0x1B00Bull);
    Filter rumble(0.6);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = i / kRate;
        const double frequency = 35.0 + 190.0 * std::exp(-t * 3.5);
        phase += 2.0 * kPi * frequency / kRate;
        const double tone = std::sin(phase) + 0.35 * std::sin(2.0 * phase + 0.5) +
                            0.15 * std::sin(3.0 * phase);
        rumble.Step(Noise(random), 90.0 + 600.0 * std::exp(-t * 4.0));
        const double envelope = std::exp(-t * 3.2) * (1.0 - std::exp(-t * 120.0));
        out[static_cast<size_t>(i)] = (0.8 * tone + 2.0 * rumble.Low()) * envelope;
    }
    return Finish(out, 2.0, 120.0);
}

std::vector<double> MakeIgnition()
{
    // Fire catching: a rising roar of low noise with crackles that come thicker and faster.
    const double seconds = 0.8;
    const int n = Samples(seconds);
    std::vector<double> out(static_cast<size_t>(n));
    Random random(0x1Eull << 8);
    Filter roar(0.7);
    Filter crackleTone(0.25);
    double crackle = 0.0;
    for (int i = 0; i < n; ++i) {
        const double x = i / static_cast<double>(n);
        roar.Step(Noise(random), 300.0 + 900.0 * x);
        const double swell = std::sin(kPi * std::pow(x, 0.45));
        // Pops: a chance per sample that grows as the fire takes.
        const double chance = 0.0008 + 0.004 * x;
        if (random.Uniform() < chance)
            crackle += random.Range(0.5, 1.0) * (random.Below(2) ? 1.0 : -1.0);
        crackle *= 0.82;
        const double pop = crackleTone.Step(crackle, 2500.0);
        out[static_cast<size_t>(i)] = 1.4 * roar.Low() * swell + 1.2 * pop + 0.6 * crackle;
    }
    return Finish(out, 8.0, 80.0);
}

std::vector<double> MakeBuzz()
{
    // An electric buzz: a harsh sawtooth hum with an unsteady pitch, and sparks of noise.
    const double seconds = 0.5;
    const int n = Samples(seconds);
    std::vector<double> out(static_cast<size_t>(n));
    Random random(0x1Dull);
    Filter spark(0.4);
    Filter tone(0.9);
    double phase = 0.0;
    double wobble = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = i / kRate;
        wobble += (Noise(random) * 0.02 - wobble * 0.002);
        const double frequency = 118.0 * (1.0 + 0.04 * std::sin(2.0 * kPi * 7.0 * t) + 0.3 * wobble);
        phase += frequency / kRate;
        phase -= std::floor(phase);
        const double saw = 2.0 * phase - 1.0;
        const double square = phase < 0.5 ? 1.0 : -1.0;
        const double hum = tone.Step(0.7 * saw + 0.3 * square, 1400.0) + 0.4 * saw;
        const double sparks = spark.Step(Noise(random), 4200.0) *
                              (0.5 + 0.5 * std::sin(2.0 * kPi * 31.0 * t + 2.0 * std::sin(2.0 * kPi * 3.0 * t)));
        const double envelope = std::exp(-t * 1.5);
        out[static_cast<size_t>(i)] = (hum + 0.8 * sparks) * envelope;
    }
    return Finish(out, 2.0, 40.0);
}

std::vector<double> MakeChime()
{
    // A rising chime: four bell notes climbing an arpeggio, each ringing on under the next.
    const double seconds = 0.9;
    const int n = Samples(seconds);
    std::vector<double> out(static_cast<size_t>(n), 0.0);
    const double notes[] = {659.26, 830.61, 987.77, 1318.51};  // E5, G#5, B5, E6
    const double gap = 0.11;
    for (int k = 0; k < 4; ++k) {
        const int start = Samples(gap * k);
        for (int i = start; i < n; ++i) {
            const double t = (i - start) / kRate;
            const double attack = std::fmin(1.0, t / 0.003);
            out[static_cast<size_t>(i)] += (0.7 + 0.1 * k) * attack * Bell(t, notes[k], 4.5);
        }
    }
    return Finish(out, 1.0, 60.0);
}

std::vector<double> MakeDing()
{
    // A bright ding: one high bell stroke with a glint an octave and a fifth above.
    const double seconds = 0.5;
    const int n = Samples(seconds);
    std::vector<double> out(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = i / kRate;
        const double attack = std::fmin(1.0, t / 0.002);
        out[static_cast<size_t>(i)] = attack * (Bell(t, 1567.98, 6.0) +
                                                0.25 * std::sin(2.0 * kPi * 4703.9 * t) * std::exp(-t * 25.0));
    }
    return Finish(out, 0.5, 50.0);
}
