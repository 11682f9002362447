<?php
// What a posted score must be to be stored: a valid name, a stage and wave
// the game can reach, a score that stage allows, and optionally the game's
// replay.
declare(strict_types=1);

const MAX_NAME_BYTES = 32;   // the name entry holds fewer characters than this
const MAX_WAVE = 6;          // a stage is six waves
// Stages are bytes in the game, but no game comes near the top of that
// range: a wave of stage 42 already holds 131 chain parts, each cleared stage
// has six waves with the hurry-up and its wardens, and the best games end
// well before stage Z (26). 99 leaves a wide margin.
const MAX_STAGE = 99;
// The most a stage can be worth, with a margin of a few times. The largest
// single award is a saucer's 200 points, and the best multiplier (the x5
// powerup) makes that 1,000. Scoring 1,000 points every second of a stage
// for ten minutes (six waves, each about half a minute before its hurry-up)
// gives 600,000; the stage bonus, a 16-bit number times the multiplier, adds
// at most 327,675. Real games score a few thousand points a stage.
const MAX_SCORE_PER_STAGE = 1000000;
const MAX_REPLAY_BYTES = 65536;  // a ten-minute game's replay is about 20 KB

final class Submission
{
    public function __construct(
        public readonly string $name,     // Latin-1, as the game typed it
        public readonly int $score,
        public readonly int $stage,
        public readonly int $wave,
        public readonly ?string $replay,  // the replay file's bytes
    ) {
    }
}

// A whole number given as plain decimal digits within [min, max], or null.
function number(array $form, string $field, int $min, int $max): ?int
{
    $text = $form[$field] ?? null;
    if (!is_string($text) || !preg_match('/^[0-9]{1,10}\z/', $text)) {
        return null;
    }
    $value = (int) $text;
    return $value >= $min && $value <= $max ? $value : null;
}

// Why the name cannot be stored, or null. The game writes one byte per
// character (Latin-1): control characters (C0, DEL and C1) are no letters of
// it, and a name must show something: blanks, the no-break space and the
// soft hyphen show nothing.
function name_problem(mixed $name): ?string
{
    if (!is_string($name)) {
        return 'no name (u)';
    }
    if (strlen($name) > MAX_NAME_BYTES) {
        return 'name longer than ' . MAX_NAME_BYTES . ' characters';
    }
    if (preg_match('/[\x00-\x1f\x7f-\x9f]/', $name)) {
        return 'control characters in the name';
    }
    if (trim($name, " \xa0\xad") === '') {
        return 'the name is blank';
    }
    return null;
}

// The form's replay (r, standard base64), or null when there is none.
// Returns [replay, problem].
function form_replay(array $form): array
{
    $text = $form['r'] ?? null;
    if ($text === null || $text === '') {
        return [null, null];
    }
    // A '+' that the client left unescaped arrives as a blank.
    $bytes = is_string($text) ? base64_decode(strtr($text, ' ', '+'), true) : false;
    if ($bytes === false || $bytes === '') {
        return [null, [400, 'the replay (r) is not base64']];
    }
    if (strlen($bytes) > MAX_REPLAY_BYTES) {
        return [null, [413, 'the replay is longer than ' . MAX_REPLAY_BYTES . ' bytes']];
    }
    return [$bytes, null];
}

// The set-score form as a Submission, or [status, reason] when it is refused.
function read_submission(array $form): Submission|array
{
    $problem = name_problem($form['u'] ?? null);
    if ($problem !== null) {
        return [400, $problem];
    }
    $encoded = number($form, 's', 0, PHP_INT_MAX);
    $stage = number($form, 'st', 1, MAX_STAGE);
    $wave = number($form, 'w', 1, MAX_WAVE);
    if ($stage === null || $wave === null) {
        return [400, 'stage (st) must be 1 to ' . MAX_STAGE . ' and wave (w) 1 to ' . MAX_WAVE];
    }
    // The game sends score x 9 + (stage + wave) x 42 as a 32-bit number.
    $rest = $encoded === null ? -1 : $encoded - ($stage + $wave) * 42;
    if ($encoded === null || $encoded > 2147483647 || $rest < 0 || $rest % 9 !== 0) {
        return [400, 'the score (s) is not a valid encoding'];
    }
    $score = intdiv($rest, 9);
    if ($score > $stage * MAX_SCORE_PER_STAGE) {
        return [400, "a score of $score is beyond what stage $stage allows"];
    }
    [$replay, $problem] = form_replay($form);
    if ($problem !== null) {
        return $problem;
    }
    return new Submission($form['u'], $score, $stage, $wave, $replay);
}
