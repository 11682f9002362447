<?php
// Scores proven by their replays, on a scoreboard whose verifier is the real
// game: a genuine replay is stored verified and offered for download; a
// replay whose header claims another score, and one whose input was changed
// so that the game plays differently, are refused; a post without a replay
// is stored unverified.
//   php verified_replays.php PORT GAME REPLAY SQLITE_FILE
declare(strict_types=1);
require __DIR__ . '/support.php';

[, $port, $game, $file, $sqlite] = $argv;
$port = (int) $port;
$replay = file_get_contents($file);
[$head, $input] = explode("\n\n", $replay, 2);
preg_match_all('/^(\w+) (.*)$/m', $head, $m);
$header = array_combine($m[1], $m[2]);
[$score, $stage, $wave] = [(int) $header['score'], (int) $header['stage'], (int) $header['wave']];

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
    ['Genuine', $score, $replay, 200],
    ['Claims', $score + 10, $claims, 422],
    ['Altered', $score, $altered ?? $claims, 422],
    ['Plain', $score, null, 200],
];
foreach ($cases as [$name, $posted, $bytes, $status]) {
    [$got, $text] = post_replay($port, $name, $posted, $stage, $wave, $bytes);
    check($got === $status, "$name: $status (got $got: " . trim($text) . ')');
}
$db = new PDO("sqlite:$sqlite");
$stored = $db->query('SELECT name, verified FROM scores ORDER BY id')->fetchAll(PDO::FETCH_KEY_PAIR);
check($stored === ['Genuine' => 1, 'Plain' => 0], 'stored: ' . json_encode($stored));
$id = $db->query("SELECT id FROM scores WHERE name = 'Genuine'")->fetchColumn();
check(post($port, '', 'GET', '', "?replay=$id")[1] === $replay, 'the replay is offered as it came');
check((bool) preg_match("~<td>Genuine</td><td>$score</td><td>[^<]*</td><td>&#10003; verified</td><td><a href=~",
    post($port, '', 'GET')[1]), 'the web page marks the game verified and links its replay');
finish('verified replays');
