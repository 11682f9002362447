<?php
// Reading and storing scores: the leaderboard's rows, the count, and one
// submission stored once, within the rate limit of its network.
declare(strict_types=1);

const DUPLICATE_SECONDS = 600;  // a retry of the same game within this is the same submission

function listed_only(): string
{
    return flag_setting('SCOREBOARD_LIST_UNVERIFIED', true) ? '' : 'WHERE verified = 1';
}

function top_rows(PDO $db, int $first, int $count): array
{
    return with_schema($db, function (PDO $db) use ($first, $count) {
        $query = $db->prepare('SELECT id, created, name, score, stage, wave, verified, replay IS NOT NULL AS has_replay
            FROM scores ' . listed_only() . ' ORDER BY score DESC, id ASC LIMIT :count OFFSET :first');
        $query->bindValue(':count', $count, PDO::PARAM_INT);
        $query->bindValue(':first', $first, PDO::PARAM_INT);
        $query->execute();
        return $query->fetchAll(PDO::FETCH_ASSOC);
    });
}

function score_count(PDO $db): int
{
    return with_schema($db, fn (PDO $db) => (int) $db->query('SELECT COUNT(*) FROM scores ' . listed_only())
        ->fetchColumn());
}

function replay_of(PDO $db, int $id): ?string
{
    return with_schema($db, function (PDO $db) use ($id) {
        $query = $db->prepare('SELECT replay FROM scores WHERE id = :id AND replay IS NOT NULL');
        $query->execute([':id' => $id]);
        $replay = $query->fetchColumn();
        return is_resource($replay) ? stream_get_contents($replay) : ($replay === false ? null : $replay);
    });
}

// Whether the network posted as many scores as it may lately: checked once
// before a replay is played, so posting replays cannot keep the verifier busy.
function over_limit(PDO $db, string $who): bool
{
    return with_schema($db, function (PDO $db) use ($who) {
        $recent = $db->prepare('SELECT COUNT(*) FROM scores WHERE address = :who AND posted > :since');
        $recent->execute([':who' => $who, ':since' => time() - (int) setting('SCOREBOARD_RATE_WINDOW', '60')]);
        return (int) $recent->fetchColumn() >= (int) setting('SCOREBOARD_RATE_LIMIT', '10');
    });
}

// Stores the submission unless it is a retry of one already stored (then
// true as well) or its network posted too many scores lately (false).
function store(PDO $db, Submission $submission, string $who, bool $verified): bool
{
    return with_schema($db, function (PDO $db) use ($submission, $who, $verified) {
        $limit = (int) setting('SCOREBOARD_RATE_LIMIT', '10');
        $window = (int) setting('SCOREBOARD_RATE_WINDOW', '60');
        $now = time();
        $sqlite = is_sqlite($db);
        // Checking and storing in one write transaction, so parallel posts
        // from one network cannot slip past the limit or store a game twice.
        if ($sqlite) {
            $db->exec('BEGIN IMMEDIATE');
        } else {
            $db->beginTransaction();
            // As SQLite's busy timeout: answer before the game gives up (3 s).
            $db->exec("SET LOCAL statement_timeout = '2s'");
            $db->prepare('SELECT pg_advisory_xact_lock(hashtext(:who))')->execute([':who' => $who]);
        }
        $end = fn (string $how) => $sqlite ? $db->exec($how) : ($how === 'COMMIT' ? $db->commit() : $db->rollBack());
        try {
            $same = $db->prepare('SELECT COUNT(*) FROM scores WHERE score = :score AND stage = :stage AND wave = :wave
                AND ((address = :who AND name = :name AND posted > :since) OR seed = :seed)');
            $same->execute([':score' => $submission->score, ':stage' => $submission->stage,
                ':wave' => $submission->wave, ':who' => $who, ':name' => to_utf8($submission->name),
                ':since' => $now - DUPLICATE_SECONDS, ':seed' => $submission->seed ?? '']);
            if ((int) $same->fetchColumn() > 0) {
                $end('ROLLBACK');
                return true;
            }
            $recent = $db->prepare('SELECT COUNT(*) FROM scores WHERE address = :who AND posted > :since');
            $recent->execute([':who' => $who, ':since' => $now - $window]);
            if ((int) $recent->fetchColumn() >= $limit) {
                $end('ROLLBACK');
                return false;
            }
            $insert = $db->prepare('INSERT INTO scores (name, score, stage, wave, created, address, posted, verified,
                seed, replay) VALUES (:name, :score, :stage, :wave, :created, :who, :posted, :verified, :seed, :replay)');
            $insert->bindValue(':name', to_utf8($submission->name));
            $insert->bindValue(':score', $submission->score, PDO::PARAM_INT);
            $insert->bindValue(':stage', $submission->stage, PDO::PARAM_INT);
            $insert->bindValue(':wave', $submission->wave, PDO::PARAM_INT);
            $insert->bindValue(':created', gmdate('Y-m-d H:i'));
            $insert->bindValue(':who', $who);
            $insert->bindValue(':posted', $now, PDO::PARAM_INT);
            $insert->bindValue(':verified', $verified ? 1 : 0, PDO::PARAM_INT);
            $insert->bindValue(':seed', $submission->seed);
            $insert->bindValue(':replay', $submission->replay, $submission->replay === null ? PDO::PARAM_NULL
                : PDO::PARAM_LOB);
            $insert->execute();
            $end('COMMIT');
            return true;
        } catch (Throwable $e) {
            try {
                $end('ROLLBACK');
            } catch (Throwable) {
            }
            throw $e;
        }
    });
}

// The game writes one byte per character (Latin-1); the database keeps UTF-8.
function to_utf8(string $latin1): string
{
    return iconv('ISO-8859-1', 'UTF-8', $latin1);
}

function to_latin1(string $utf8): string
{
    $text = iconv('UTF-8', 'ISO-8859-1//TRANSLIT', $utf8);
    return $text === false ? '?' : $text;
}
