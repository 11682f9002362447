<?php
// Scores proven by their replays, on the bundled scoreboard with the build's
// verifier and its worker: a genuine replay is stored, proven and offered for
// download; the same game posted again claiming more stores nothing; one whose
// input was changed so that the game plays differently is refused, and says
// why when posted again; a post without a replay is stored unverified and
// not listed.
//   php verified_replays.php PORT GAME REPLAY SQLITE_FILE
declare(strict_types=1);
require __DIR__ . '/support.php';

[, $port, $game, $file, $sqlite] = $argv;
$port = (int) $port;
$replay = file_get_contents($file);
[$head, $input] = explode("\n\n", $replay, 2);
preg_match_all('/^(\w+) (.*)$/m', $head, $m);
$header = array_combine($m[1], $m[2]);
if (!isset($header['name'])) {
    // Signed as the game signs a replay it posts.
    $head .= "\nname " . ($header['name'] = 'Pilot');
    $replay = "$head\n\n$input";
}
[$score, $stage, $wave, $signed] = [(int) $header['score'], (int) $header['stage'], (int) $header['wave'],
    $header['name']];

// The verifier's exit status for a replay: 0 plays to its header, 1 does not, 2 unusable.
function verify(string $game, string $replay): int
{
    $file = tempnam(sys_get_temp_dir(), 'replay-');
    file_put_contents($file, $replay);
    exec(escapeshellarg($game) . ' --verify ' . escapeshellarg($file) . ' >/dev/null 2>&1', $out, $status);
    unlink($file);
    return $status;
}

function post_replay(int $port, string $name, int $score, int $stage, int $wave, ?string $replay): array
{
    return post($port, score_form($name, $score, $stage, $wave, $replay === null ? ''
        : 'r=' . urlencode(base64_encode($replay))));
}

// One input byte changed, at the first place where the game then plays to
// another end: the buttons of one frame (the first of five columns of
// frames), with fire and left flipped.
$frames = gzuncompress($input);
$altered = null;
for ($i = intdiv(strlen($frames), 20), $tries = 0; $i < strlen($frames) / 5 && $tries < 40; $i += 97, $tries++) {
    $changed = $frames;
    $changed[$i] = chr(ord($changed[$i]) ^ 0x11);
    $candidate = "$head\n\n" . gzcompress($changed);
    if (verify($game, $candidate) === 1) {
        $altered = $candidate;
        break;
    }
}
check($altered !== null, 'a change of one input byte alters the game');
$claims = preg_replace('/^score \d+$/m', 'score ' . ($score + 10), $head) . "\n\n$input";

$cases = [
    // name, score posted, replay, status
    [$signed, $score, $replay, 200],
    [$signed, $score + 10, $claims, 200],  // the same game: stored once, as it plays
    [$signed, $score, $altered ?? $claims, 200],
    ['Plain', $score, null, 200],
];
foreach ($cases as $i => [$name, $posted, $bytes, $status]) {
    [$got, $text] = post_replay($port, $name, $posted, $stage, $wave, $bytes);
    check($got === $status, "post $i: $status (got $got: " . trim($text) . ')');
}
$db = new PDO("sqlite:$sqlite");
$states = fn () => $db->query('SELECT verified FROM scores ORDER BY id')->fetchAll(PDO::FETCH_COLUMN);
check(wait_until(fn () => $states() === [1, 3, 0]), 'stored: verified, refused, unverified (' . json_encode($states()) . ')');
[$status, $text] = post_replay($port, $signed, $score, $stage, $wave, $altered ?? $claims);
check($status === 422 && str_starts_with($text, 'error: the replay does not play to the result in its header'),
    "the refused game says why when posted again (got $status: " . trim($text) . ')');
$id = $db->query('SELECT id FROM scores WHERE verified = 1')->fetchColumn();
check(post($port, '', 'GET', '', "?replay=$id")[1] === $replay, 'the replay is offered as it came');
check(array_slice(explode("\n", post($port, 'a=1&v=1.2.0&f=0&l=15&')[1]), 2, 2) === [$signed, (string) $score]
    && (bool) preg_match("~<td>\\Q$signed\\E</td><td>$score</td><td>[^<]*</td><td>&#10003; verified</td><td><a href=~",
    post($port, '', 'GET')[1]), 'the game alone is listed, marked verified on the web page with its replay');
finish('verified replays');
