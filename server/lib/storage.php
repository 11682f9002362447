<?php
// Where the scoreboard keeps its scores: settings, the database connection
// and its table (created or brought up to date on first use), and the
// secret that salts the address keys of the rate limit.
declare(strict_types=1);

// From the environment, or from the web server's configuration (SetEnv, fastcgi_param).
function setting(string $name, string $default): string
{
    $value = $_SERVER[$name] ?? getenv($name);
    return !is_string($value) || $value === '' ? $default : $value;
}

function flag_setting(string $name, bool $default): bool
{
    $value = strtolower(setting($name, $default ? 'on' : 'off'));
    return in_array($value, ['1', 'on', 'yes', 'true'], true);
}

function sqlite_file(): string
{
    return setting('SCOREBOARD_SQLITE', dirname(__DIR__) . '/data/scoreboard.sqlite');
}

function database(): PDO
{
    $dsn = setting('SCOREBOARD_DSN', '');
    $options = [PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION, PDO::ATTR_EMULATE_PREPARES => false];
    if ($dsn === '') {
        $file = sqlite_file();
        if (!is_dir(dirname($file))) {
            @mkdir(dirname($file), 0700, true);
        }
        // The game gives up after 3 s of silence: a write waits at most 2 s for
        // its turn, so a busy scoreboard answers "busy" instead of storing a
        // score the game no longer waits for.
        $db = new PDO('sqlite:' . $file, null, null, $options + [PDO::ATTR_TIMEOUT => 2]);
        $db->exec('PRAGMA busy_timeout = 2000');
        $db->exec('PRAGMA synchronous = NORMAL');
        return $db;
    }
    // One connection per PHP worker, kept between requests: a PostgreSQL
    // connection costs a server process, far more than a request.
    $db = new PDO($dsn, setting('SCOREBOARD_DB_USER', '') ?: null, setting('SCOREBOARD_DB_PASSWORD', '') ?: null,
        $options + [PDO::ATTR_PERSISTENT => flag_setting('SCOREBOARD_DB_PERSISTENT', true)]);
    if ($db->inTransaction()) {
        $db->rollBack();
    }
    return $db;
}

function is_sqlite(PDO $db): bool
{
    return $db->getAttribute(PDO::ATTR_DRIVER_NAME) === 'sqlite';
}

// The table and its columns. A scoreboard from before replays gets the new
// columns added; rows stored then count as unverified.
function ensure_schema(PDO $db): void
{
    if (is_sqlite($db)) {
        // Readers never wait for a writer (kept in the file once set).
        $db->exec('PRAGMA journal_mode = WAL');
        $db->exec('CREATE TABLE IF NOT EXISTS scores (
            id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, score INTEGER NOT NULL,
            stage INTEGER NOT NULL, wave INTEGER NOT NULL, created TEXT NOT NULL,
            address TEXT NOT NULL, posted INTEGER NOT NULL)');
        $have = array_column($db->query('PRAGMA table_info(scores)')->fetchAll(), 'name');
        $blob = 'BLOB';
    } else {
        $db->exec('CREATE TABLE IF NOT EXISTS scores (
            id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY, name TEXT NOT NULL, score INTEGER NOT NULL,
            stage INTEGER NOT NULL, wave INTEGER NOT NULL, created TEXT NOT NULL,
            address TEXT NOT NULL, posted BIGINT NOT NULL)');
        $have = $db->query("SELECT column_name FROM information_schema.columns
            WHERE table_name = 'scores' AND table_schema = current_schema()")->fetchAll(PDO::FETCH_COLUMN);
        $blob = 'BYTEA';
    }
    $columns = ['verified' => 'INTEGER NOT NULL DEFAULT 0', 'seed' => 'TEXT', 'replay' => $blob];
    foreach ($columns as $column => $type) {
        if (!in_array($column, $have, true)) {
            // PostgreSQL lets a second worker doing the same at once pass.
            $db->exec('ALTER TABLE scores ADD COLUMN ' . (is_sqlite($db) ? '' : 'IF NOT EXISTS ') . "$column $type");
        }
    }
    $db->exec('CREATE INDEX IF NOT EXISTS scores_rank ON scores (score DESC, id ASC)');
    $db->exec('CREATE INDEX IF NOT EXISTS scores_address ON scores (address, posted)');
    $db->exec('CREATE INDEX IF NOT EXISTS scores_seed ON scores (seed)');
}

// Runs $work; when it fails because the table or a column is missing, sets
// up the schema and runs it once more. Requests never pay for the check.
function with_schema(PDO $db, callable $work): mixed
{
    try {
        return $work($db);
    } catch (PDOException $e) {
        $missing = in_array($e->getCode(), ['42P01', '42703'], true)
            || preg_match('/no such (table|column)|has no column named/', $e->getMessage());
        if (!$missing) {
            throw $e;
        }
        if ($db->inTransaction()) {
            $db->rollBack();
        }
        ensure_schema($db);
        return $work($db);
    }
}

// The secret that salts stored address keys: made on first use and kept
// beside the SQLite file (or in SCOREBOARD_SECRET_FILE), never in the table,
// so a copy of the table does not reveal where players came from.
function secret(): string
{
    $default = setting('SCOREBOARD_DSN', '') === '' ? sqlite_file() . '.secret'
        : dirname(__DIR__) . '/data/scoreboard.secret';
    $file = setting('SCOREBOARD_SECRET_FILE', $default);
    $secret = @file_get_contents($file);
    if (is_string($secret) && strlen(trim($secret)) >= 32) {
        return trim($secret);
    }
    if (!is_dir(dirname($file))) {
        @mkdir(dirname($file), 0700, true);
    }
    // Written aside and linked into place, so parallel first requests agree on one secret.
    $aside = $file . '.' . bin2hex(random_bytes(6));
    if (file_put_contents($aside, bin2hex(random_bytes(32)) . "\n") === false) {
        throw new RuntimeException("cannot write the secret $file");
    }
    chmod($aside, 0600);
    @link($aside, $file);
    unlink($aside);
    $secret = trim((string) file_get_contents($file));
    if (strlen($secret) < 32) {
        throw new RuntimeException("the secret $file is unreadable or too short");
    }
    return $secret;
}

// The network a player posts from: an IPv4 address, or the /64 of an IPv6
// address (one household or one server gets a whole /64).
function network_of(string $address): string
{
    $bytes = @inet_pton($address);
    if ($bytes === false) {
        return $address;
    }
    if (strlen($bytes) === 16 && str_starts_with($bytes, str_repeat("\0", 10) . "\xff\xff")) {
        return inet_ntop(substr($bytes, 12));  // an IPv4 address mapped into IPv6
    }
    return strlen($bytes) === 4 ? inet_ntop($bytes) : inet_ntop(substr($bytes, 0, 8) . str_repeat("\0", 8)) . '/64';
}

function address_key(string $address): string
{
    return hash_hmac('sha256', network_of($address), secret());
}
