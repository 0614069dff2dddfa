// Texts full of quotes, backslashes, line breaks, end tags and characters
// 128 to 255 arrive in the pages as typed and break no script.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { exportMatching, exportQuiz, frameNamed, startBrowser, watchConsole, writeMatchFile } from './helpers.mjs';
import { exportCrossword } from './crossword-helpers.mjs';

const awkward = {
  editGuessCorrect: 'Right! It\'s "correct" \\o/ \u00e9 \u20ac \u201cx\u201d \u2013 </script>',
  editGuessIncorrect: 'No,\r\nnot that.',
  editPleaseEnter: '<!-- nothing typed --> Type something\u2026',
  editCheck: 'Check "it" \'now\' \\ \u00e9',
  editHint: "Hint </script><script>window.broken=1</script>",
  editThisMuch: 'Good start: \'',
  mmoInstructions: 'Line 1\r\nLine 2 it\'s \u00a3\u00a5',
  mmoQuizSubtitle: 'Sub\\title \'x\' "y"',
  editNextEx: 'Next \'one\'',
  editNextExURL: 'it\'s "next".htm',
};

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

describe('awkward texts', () => {
  test('frames pages', async () => {
    const exported = exportQuiz({ texts: awkward, switches: { chkIncludeNextEx: 1 } });
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.goto(exported.url);
    const code = await frameNamed(page, 'CodeFrame');
    const check = code.locator('#Q1 input[type=button]').first();
    assert.equal(await check.getAttribute('value'), 'Check "it" \'now\' \\ \u00e9');
    await code.fill('#G1', 'Paris');
    await check.click();
    assert.equal((await code.locator('#F1').innerText()).split('\n')[0].trim(),
      'Right! It\'s "correct" \\o/ \u00e9 \u20ac \u201cx\u201d \u2013');
    await code.fill('#G1', 'Lyon');
    await check.click();
    assert.equal((await code.locator('#F1').innerText()).trim(), 'No, not that.');
    await code.fill('#G1', '');
    await check.click();
    assert.equal((await code.locator('#F1').innerText()).trim(), 'Type something\u2026');
    await code.fill('#G1', 'Pa');
    await code.locator('#Q1 input[type=button]').nth(1).click();
    assert.equal(await code.inputValue('#G1'), 'Par');
    assert.equal(await code.evaluate(() => window.broken), undefined);
    assert.equal((await code.locator('.subtitle').innerText()).trim(), 'Sub\\title \'x\' "y"');
    assert.equal(await code.locator('#TopNav input[type=button]').first().getAttribute('value'), 'Next \'one\'');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('single page', async () => {
    const exported = exportQuiz({ mode: 'single', texts: awkward, switches: { chkShuffleQs: 0, chkIncludeNextEx: 1 } });
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.goto(exported.url);
    assert.equal((await page.locator('#CheckButton').innerText()).trim(), 'Check "it" \'now\' \\ \u00e9');
    assert.equal((await page.locator('#ExInstructions').innerText()).trim(), 'Line 1\nLine 2 it\'s \u00a3\u00a5');
    assert.equal((await page.locator('#ExSubtitle').innerText()).trim(), 'Sub\\title \'x\' "y"');
    await page.fill('#Guess', 'paris');
    await page.press('#Guess', 'Enter');
    assert.equal((await page.locator('#PopupText').innerText()).split('\n')[0].trim(),
      'Right! It\'s "correct" \\o/ \u00e9 \u20ac \u201cx\u201d \u2013');
    await page.keyboard.press('Escape');
    assert.equal(await page.evaluate(() => window.broken), undefined);
    const next = page.locator('#NextExButton');
    assert.equal((await next.innerText()).trim(), 'Next \'one\'');
    writeFileSync(join(exported.dir, 'it\'s "next".htm'), '<!DOCTYPE html><title>Next exercise</title>');
    await next.click();
    await page.waitForURL(/next%22\.htm$/);
    assert.equal(await page.title(), 'Next exercise');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('accented file names, a colon in the name, and addresses', async () => {
    for (const mode of ['frames', 'single']) {
      const exported = exportQuiz({
        mode, name: "unit1:caf\u00e9 d'\u00e9t\u00e9.htm", reading: 'typed', timer: 1,
        texts: { editNextExURL: 'suivant-\u00e9.htm' }, switches: { chkIncludeNextEx: 1, chkShuffleQs: 0 },
      });
      writeFileSync(join(exported.dir, 'suivant-\u00e9.htm'), '<!DOCTYPE html><title>Suivant</title>');
      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exported.url);
      const code = await frameNamed(page, 'CodeFrame');
      await code.getByRole('button', { name: 'Start reading' }).click();
      for (let i = 0; i < 100 && !/r\.htm$/.test(page.frame({ name: 'ReadingFrame' }).url()); i++) {
        await page.waitForTimeout(50);
      }
      const reading = page.frame({ name: 'ReadingFrame' });
      assert.match(decodeURIComponent(reading.url()), /\/unit1:caf\u00e9 d'\u00e9t\u00e9r\.htm$/, mode);
      await reading.waitForLoadState('load');
      assert.match(await reading.locator('h1').innerText(), /A short reading/, mode);
      await code.getByRole('button', { name: 'Next exercise' }).first().click();
      await page.waitForURL(/suivant-/);
      assert.equal(await page.title(), 'Suivant', mode);
      assert.deepEqual(problems, [], mode);
      await page.close();
    }
  });
});

describe('long words on a phone', () => {
  const word = 'Rindfleischetikettierungsueberwachungsaufgaben';
  const address = 'https://www.example.org/lessons/reading/' + 'averylongaddresswithoutanyplacetobreakit'.repeat(2) + '.htm';
  const long = `${word} ${address}`;
  // And a video's frame of a usual embedding size, in the texts given as markup.
  const video = `${long} <iframe width="560" height="315" src="about:blank"></iframe>`;
  // A quiz whose title, question and typed reading hold both.
  function longQuiz() {
    const dir = mkdtempSync(join(tmpdir(), 'tavrel-long-'));
    const file = join(dir, 'quiz.aky');
    const reading = ['<include-reading>1</include-reading>', '<include-timer>0</include-timer>',
      '<time-limit>1</time-limit>', '<internal-reading>1</internal-reading>', '<path-to-reading></path-to-reading>',
      `<reading-title>${long}</reading-title>`, `<reading-text>${long}</reading-text>`].join('\r\n');
    writeFileSync(file, '<?xml version="1.0" encoding="ISO-8859-1"?>\r\n<tavrel-askery-file>\r\n<version>6</version>\r\n'
      + `<data>\r\n<title>${long}</title>\r\n<reading>\r\n${reading}\r\n\r\n</reading>\r\n<questions>\r\n<question-record>\r\n`
      + `<question>${long}</question>\r\n<answer>\r\n<text>${word}</text>\r\n<correct>1</correct>\r\n<feedback></feedback>\r\n</answer>\r\n`
      + '</question-record>\r\n</questions>\r\n</data>\r\n</tavrel-askery-file>\r\n', 'latin1');
    return file;
  }
  const pairs = () => writeMatchFile([[long, word], ['Two', address], ['Three', 'three']], { title: long });
  const clued = { rows: ['CAT', 'A..', 'R..'], clues: { CAT: long, CAR: video }, title: long, texts: { mmoInstructions: video, mmoWelcome: video } };
  const quizTexts = { mmoWelcome: video, mmoInstructions: video, mmoQuizSubtitle: long };
  const matchTexts = { mmoInstructions: video, mmoExerciseSubtitle: long };
  const kinds = {
    'quiz frames': () => exportQuiz({ quiz: longQuiz(), reading: 'none', texts: quizTexts }),
    'quiz frames with its reading page': () => exportQuiz({ quiz: longQuiz(), texts: quizTexts }),
    'quiz single page': () => exportQuiz({ mode: 'single', quiz: longQuiz(), reading: 'none', texts: quizTexts }),
    'matching select list': () => exportMatching({ pry: pairs(), texts: matchTexts }),
    'matching drag and drop': () => exportMatching({ mode: 'dragdrop', pry: pairs(), texts: matchTexts }),
    'crossword frames': () => exportCrossword(clued),
    'crossword single page': () => exportCrossword({ mode: 'single', ...clued }),
  };

  test('a 46-letter word, a long address and a video scroll no page sideways at 360 pixels', async () => {
    const wide = [];
    for (const [kind, exportPage] of Object.entries(kinds)) {
      const page = await browser.newPage();
      await page.setViewportSize({ width: 360, height: 740 });
      const problems = watchConsole(page);
      await page.goto(exportPage().url);
      if (await page.locator('frameset').count()) await frameNamed(page, 'CodeFrame');
      if (kind.includes('reading')) await frameNamed(page, 'ReadingFrame');
      await page.waitForTimeout(300);
      for (const frame of page.frames()) {
        const [scroll, width] = await frame.evaluate(() => [document.documentElement.scrollWidth, innerWidth]);
        if (scroll > width) wide.push(`${kind}, ${frame.name() || 'page'}: ${scroll} > ${width}`);
      }
      assert.deepEqual(problems, [], kind);
      await page.close();
    }
    assert.deepEqual(wide, []);
  });
});
