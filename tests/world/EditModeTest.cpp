// Play and edit mode scenarios live here.
